// Asking the device whether a range is still erased.
#include "burnlet.h"
#include "progress.h"
#include "status_block.h"

#include <algorithm>
#include <array>

using namespace burnlet;

namespace {
constexpr uint16_t kZeroBufferBytes = 128;
constexpr uint16_t kLargestBlock = kZeroBufferBytes / 2;  // each step sends two bytes per byte checked
}

extern "C" int32_t BlankCheck(uint16_t address, uint16_t length, uint8_t area, uint16_t blockSize)
{
    if (blockSize == 0 || blockSize > kLargestBlock)
        return BURNLET_TRANSFER_FAILED;

    const int32_t opened = InitialVerifyFlashCmd(address, length, area);
    if (opened != BURNLET_OK)
        return opened;
    setProgress(0);

    std::array<uint8_t, kZeroBufferBytes> zeros{};
    uint32_t checked = 0;
    while (checked < length) {
        if (!HT_WriteUSB(state().current, zeros.data(), 2u * blockSize)) {
            setProgress(kProgressFailed);
            return BURNLET_TRANSFER_FAILED;
        }
        const int32_t result = readStatus();
        if (result != BURNLET_OK)
            return result;
        if (busyOrFailed())
            return BURNLET_NOT_BLANK;
        checked += std::min<uint32_t>(blockSize, length - checked);
        setProgress(scaledProgress(0, checked, length, kProgressDone));
    }
    return BURNLET_OK;
}
