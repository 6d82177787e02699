// Status queries and the wait for the device's progress word.
#include "burnlet.h"
#include "status_block.h"

#include <algorithm>

using namespace burnlet;

namespace {
constexpr int kMaxProgressComparisons = 9999;  // so at most 10,000 status reads
}

extern "C" uint32_t GetDeviceInfoCmd(uint8_t *out)
{
    if (!out)
        return BURNLET_TRANSFER_FAILED;
    const int32_t result = readStatus();
    if (result == BURNLET_OK)
        std::copy(state().status.begin(), state().status.end(), out);
    return static_cast<uint32_t>(result);
}

extern "C" int32_t GetBootLoaderVersion(uint8_t *out)
{
    if (!out)
        return BURNLET_TRANSFER_FAILED;
    const int32_t result = readStatus();
    if (result == BURNLET_OK)
        *out = state().status[kVersionByte];
    return result;
}

extern "C" uint16_t ProcessEnd(uint16_t expected)
{
    int32_t result = readStatus();
    if (result != BURNLET_OK)
        return static_cast<uint16_t>(result);
    for (int comparison = 0; comparison < kMaxProgressComparisons; ++comparison) {
        if (progressWord() == expected)
            return BURNLET_OK;
        result = readStatus();
        if (result != BURNLET_OK)
            return static_cast<uint16_t>(result);
    }
    return BURNLET_PROGRESS_TIMEOUT;
}
