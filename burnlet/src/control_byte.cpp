#include "control_byte.h"

#include "burnlet.h"
#include "status_block.h"

namespace burnlet {

namespace {
constexpr int kClearAttempts = 100;
constexpr int kBusyReads = 99;
constexpr uint8_t kLowBits = 0x03;
constexpr uint8_t kKeptBits = 0x7C;  // bits 2-6 survive; bit 7 is the device's busy flag

int32_t waitWhileBusy()
{
    for (int read = 0; read < kBusyReads; ++read) {
        const int32_t result = readStatus();
        if (result != BURNLET_OK)
            return result;
        if (!busyOrFailed())
            return BURNLET_OK;
    }
    return BURNLET_BUSY_TIMEOUT;
}
}  // namespace

int32_t settleControlByte()
{
    int32_t result = readStatus();
    if (result != BURNLET_OK)
        return result;
    const uint8_t settled = controlByte() & kKeptBits;
    for (int attempt = 0; attempt < kClearAttempts; ++attempt) {
        result = static_cast<int32_t>(SetBCTL(0, kLowBits));
        if (result != BURNLET_OK)
            return result;
        result = waitWhileBusy();
        if (result != BURNLET_OK)
            return result;
        // `settled` has bits 0-1 clear, so equality also means they were cleared.
        if ((controlByte() & 0x7F) == settled)
            return BURNLET_OK;
    }
    return BURNLET_CONTROL_NOT_CLEARED;
}

}  // namespace burnlet
