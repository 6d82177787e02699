// The update engine's image reader: any file is either refused with a reason or gives
// runs inside the 16-bit address space, ascending and apart, which are then checked for
// programming as the update does. The input is read from a file, as the reader only reads
// files, and fed to the HEX parser directly as well.
#include "burnlet/update/firmware_image.h"
#include "burnlet/update/image_check.h"
#include "burnlet/update/image_file.h"
#include "burnlet/update/intel_hex.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {
void checkRead(const firmware::ImageRead &read)
{
    if (!read.image) {
        if (read.refusal.empty())
            __builtin_trap();
        return;
    }
    uint32_t previousEnd = 0;
    for (const firmware::Run &run : read.image->runs) {
        if (run.bytes.empty() || run.address < previousEnd || run.end() > firmware::kAddressSpace)
            __builtin_trap();
        previousEnd = run.end() + 1;  // runs never touch: touching data would be one run
    }
    (void)firmware::whyUnprogrammable(*read.image, firmware::kBootLoaderFlash);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::istringstream text(std::string(reinterpret_cast<const char *>(data), size));
    checkRead(firmware::parseIntelHex(text));
    const fuzz::InputFile file(fuzz::bytesOf(data, size), QStringLiteral("images"), QStringLiteral("image"),
                               QStringLiteral(".bin"));
    checkRead(firmware::readImageFile(file.path().toStdString(), std::nullopt));
    return 0;
}
