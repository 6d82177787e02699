// Comparing flash with the caller's data on the device side.
#include "block_stream.h"
#include "burnlet.h"
#include "status_block.h"

using namespace burnlet;

namespace {
constexpr uint8_t kMainArea = 0;

int32_t mismatchResult()
{
    return busyOrFailed() ? BURNLET_VERIFY_FAILED : BURNLET_OK;
}
}  // namespace

extern "C" int32_t Verify(uint16_t address, uint16_t length, uint8_t *data, uint8_t area, uint16_t blockSize,
                          int32_t reportProgress, int32_t progressBase, int32_t progressSpan)
{
    if (!streamRequestValid(data, length, blockSize))
        return BURNLET_TRANSFER_FAILED;

    const int32_t opened = InitialVerifyFlashCmd(address, length, area);
    if (opened != BURNLET_OK)
        return opened;
    if (reportProgress)
        setProgress(progressBase);

    // A failed write reads 0 here, not -1: the bar restarts rather than showing a fault.
    return streamBlocks(data, length, blockSize, 0, [&](uint32_t sent) {
        // Every block is compared before the next is sent; the device has consumed all of
        // it once its progress word covers every byte sent so far.
        const int32_t arrived = ProcessEnd(expectedProgressWord(address, sent));
        if (arrived != BURNLET_OK)
            return arrived;
        if (busyOrFailed())
            return static_cast<int32_t>(BURNLET_VERIFY_FAILED);
        if (reportProgress)
            setProgress(scaledProgress(progressBase, sent, length, progressSpan));
        return static_cast<int32_t>(BURNLET_OK);
    });
}

extern "C" int32_t VerifyPro(uint16_t address, uint16_t length, uint8_t *data, uint16_t /*blockSize*/)
{
    if (!streamRequestValid(data, length, 1))
        return BURNLET_TRANSFER_FAILED;

    int32_t result = InitialVerifyFlashCmd(address, length, kMainArea);
    if (result != BURNLET_OK)
        return result;
    if (!HT_WriteUSB(state().current, data, length)) {
        setProgress(kProgressFailed);
        return BURNLET_TRANSFER_FAILED;
    }
    result = ProcessEnd(expectedProgressWord(address, length));
    if (result != BURNLET_OK)
        return result;
    return mismatchResult();
}
