#include "image_check.h"

#include "hex_format.h"

namespace firmware {

std::optional<std::string> whyUnprogrammable(const FirmwareImage &image, const FlashLayout &flash)
{
    if (image.totalBytes() == 0)
        return "the image holds no data";
    uint32_t previousEnd = 0;
    for (size_t i = 0; i < image.runs.size(); ++i) {
        const Run &run = image.runs[i];
        if (run.bytes.empty())
            return "the image has an empty run at " + hexWord(run.address);
        if (i > 0 && run.address < previousEnd)
            return "the image's data at " + hexWord(run.address) + " overlap data before them";
        if (uint64_t(run.address) + run.bytes.size() > flash.flashBytes)
            return "the image has data from " + hexWord(run.address) + " to " + hexWord(run.end() - 1) +
                   ", beyond the keyboard's flash (" + hexWord(0) + " to " + hexWord(flash.flashBytes - 1) + ")";
        previousEnd = run.end();
    }
    return std::nullopt;
}

}  // namespace firmware
