// Verifying the 32 bytes of option data, which the device compares in an expanded image.
#include "burnlet.h"
#include "progress.h"
#include "status_block.h"

#include <array>

using namespace burnlet;

namespace {
constexpr uint16_t kOptionBytes = 32;
constexpr uint16_t kImageBytes = 128;
constexpr int kWordCopies = 4;  // each 16-bit option word appears four times in a row
constexpr uint8_t kOptionArea = 1;

using OptionImage = std::array<uint8_t, kImageBytes>;

OptionImage expandOptionWords(const uint8_t *data)
{
    OptionImage image{};
    for (int word = 0; word < kOptionBytes / 2; ++word) {
        for (int copy = 0; copy < kWordCopies; ++copy) {
            const int at = word * 2 * kWordCopies + copy * 2;
            image[at] = data[2 * word];
            image[at + 1] = data[2 * word + 1];
        }
    }
    return image;
}
}  // namespace

extern "C" int32_t OptVerify(uint16_t address, uint16_t length, uint8_t *data)
{
    if (length < kOptionBytes)
        return BURNLET_VERIFY_FAILED;
    if (!data)
        return BURNLET_TRANSFER_FAILED;

    int32_t result = InitialVerifyFlashCmd(address, kImageBytes, kOptionArea);
    if (result != BURNLET_OK)
        return result;
    OptionImage image = expandOptionWords(data);
    if (!HT_WriteUSB(state().current, image.data(), kImageBytes)) {
        setProgress(kProgressFailed);
        return BURNLET_TRANSFER_FAILED;
    }
    // An empty verify command closes the comparison; the verdict is then in the status.
    result = InitialVerifyFlashCmd(0, 0, 0);
    if (result == BURNLET_OK)
        result = readStatus();
    if (result != BURNLET_OK)
        return result;
    return busyOrFailed() ? BURNLET_VERIFY_FAILED : BURNLET_OK;
}
