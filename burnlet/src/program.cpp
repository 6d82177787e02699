// Writing flash and option data.
#include "block_stream.h"
#include "burnlet.h"
#include "control_byte.h"

using namespace burnlet;

namespace {
constexpr uint8_t kOptionArea = 1;
}

extern "C" int32_t Program(uint16_t address, uint16_t length, uint8_t *data, uint8_t area, uint16_t blockSize,
                           int32_t progressBase, int32_t progressSpan, bool verify, bool reportProgress)
{
    if (!streamRequestValid(data, length, blockSize))
        return BURNLET_TRANSFER_FAILED;

    int32_t result = settleControlByte();
    if (result == BURNLET_OK)
        result = static_cast<int32_t>(EnableFWEN(1));
    if (result == BURNLET_OK)
        result = InitialWriteFlashCmd(address, length, area);
    if (result != BURNLET_OK)
        return result;

    if (reportProgress)
        setProgress(progressBase);
    result = streamBlocks(data, length, blockSize, kProgressFailed, [&](uint32_t sent) {
        if (reportProgress)
            setProgress(scaledProgress(progressBase, sent, length, progressSpan));
        return BURNLET_OK;
    });
    if (result == BURNLET_OK)
        result = ProcessEnd(expectedProgressWord(address, length));
    if (result == BURNLET_OK)
        result = static_cast<int32_t>(EnableFWEN(0));
    if (result != BURNLET_OK || !verify)
        return result;

    // Verification fills the rest of the bar, from wherever writing left it, up to 100.
    const int32_t reached = progress();
    return Verify(address, length, data, area, blockSize, reportProgress, reached, kProgressDone - reached);
}

extern "C" int32_t WriteOption(uint16_t address, uint16_t length, uint8_t *data, uint16_t blockSize)
{
    if (!streamRequestValid(data, length, blockSize))
        return BURNLET_TRANSFER_FAILED;

    int32_t result = static_cast<int32_t>(EnableFWEN(1));
    if (result == BURNLET_OK)
        result = InitialWriteFlashCmd(address, length, kOptionArea);
    if (result != BURNLET_OK)
        return result;

    setProgress(0);
    result = streamBlocks(data, length, blockSize, kProgressFailed, [&](uint32_t sent) {
        setProgress(scaledProgress(0, sent, length, kProgressDone));
        return BURNLET_OK;
    });
    if (result != BURNLET_OK)
        return result;
    return static_cast<int32_t>(EnableFWEN(0));
}
