#include "flash_image.h"

#include "hex_format.h"

namespace flashtool {

std::optional<std::string> whyUnprogrammable(const FlashImage &image)
{
    if (image.bytes.empty())
        return "the image holds no data";
    if (image.bytes.size() > kLargestTransfer)
        return "the image holds " + std::to_string(image.bytes.size()) +
               " bytes; at most 65535 can be programmed in one transfer";
    const uint64_t end = uint64_t(image.start) + image.bytes.size();
    if (end > kAddressSpace)
        return "the image runs from " + hexWord(image.start) + " to " + hexWord(uint32_t(end - 1)) +
               ", beyond the 16-bit address space";
    return std::nullopt;
}

}  // namespace flashtool
