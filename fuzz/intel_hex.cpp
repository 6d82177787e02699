// burnlet-flash's Intel HEX reader: any text is either refused with a reason
// or gives an image inside the 16-bit address space, which is then checked
// for programming as the tool does.
#include "burnlet/tools/flash/flash_image.h"
#include "burnlet/tools/flash/intel_hex.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::istringstream text(std::string(reinterpret_cast<const char *>(data), size));
    const flashtool::LoadedImage loaded = flashtool::parseIntelHex(text);
    if (!loaded.image) {
        if (loaded.error.empty())
            __builtin_trap();
        return 0;
    }
    const flashtool::FlashImage &image = *loaded.image;
    if (image.start + image.bytes.size() > flashtool::kAddressSpace)
        __builtin_trap();
    (void)flashtool::whyUnprogrammable(image);
    return 0;
}
