#include "result_text.h"

#include "burnlet.h"
#include "hex_format.h"
#include "hiddll.h"

namespace flashtool {

namespace {
struct Meaning {
    uint32_t code;
    const char *text;
};

constexpr Meaning kMeanings[] = {
    {BURNLET_OK, "success"},
    {BURNLET_TRANSFER_FAILED, "no device found, or a command, status read or data transfer failed"},
    {BURNLET_BUSY_TIMEOUT, "the device stayed busy (control byte bit 7 set for 99 status reads)"},
    {BURNLET_CONTROL_NOT_CLEARED, "the device's control byte did not clear within 100 attempts"},
    {BURNLET_VERIFY_FAILED, "verification failed: the device's flash differs from the image"},
    {BURNLET_NOT_BLANK, "blank check failed: the range is not erased"},
    {BURNLET_PROGRESS_TIMEOUT, "the device did not confirm the data (its progress word never arrived)"},
};

// The search errors of our own HID layer; another layer's codes are shown as numbers.
constexpr Meaning kSearchErrors[] = {
    {HIDDLL_ERROR_INIT, "the HID system could not be started"},
    {HIDDLL_ERROR_NO_DEVICE, "no boot loader (USB 04D9:8022) is connected"},
    {HIDDLL_ERROR_OPEN, "the boot loader was found but could not be opened (permissions?)"},
};
}  // namespace

std::string describeResult(uint32_t code)
{
    for (const Meaning &meaning : kMeanings) {
        if (meaning.code == code)
            return std::to_string(code) + ": " + meaning.text;
    }
    for (const Meaning &meaning : kSearchErrors) {
        if (meaning.code == code)
            return hexWord(code) + ": " + meaning.text;
    }
    return hexWord(code) + ": the device search failed (HID layer error code)";
}

}  // namespace flashtool
