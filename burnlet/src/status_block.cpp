#include "status_block.h"

#include "burnlet.h"

#include <cstring>

namespace burnlet {

namespace {
constexpr char kDownloadMarker[4] = {'w', 'u', 'm', '-'};
}

int32_t readStatus()
{
    StatusBlock fresh{};
    if (!HT_GetUSBAck(state().current, kStatusSize, fresh.data()))
        return BURNLET_TRANSFER_FAILED;
    state().status = fresh;
    return BURNLET_OK;
}

uint8_t controlByte()
{
    return state().status[kControlByte];
}

uint16_t progressWord()
{
    const StatusBlock &s = state().status;
    return static_cast<uint16_t>(s[kProgressWordByte] | (s[kProgressWordByte + 1] << 8));
}

bool busyOrFailed()
{
    return (controlByte() & kBusyOrFailedBit) != 0;
}

bool markerPresent()
{
    return std::memcmp(state().status.data() + kMarkerByte, kDownloadMarker, sizeof kDownloadMarker) == 0;
}

}  // namespace burnlet
