// A firmware image as the update programs it: the runs of bytes it owns, each at its own
// address in the boot loader's 16-bit address space. What lies between runs belongs to the
// device and is neither erased nor written, beyond the pages a run shares.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace firmware {

constexpr uint32_t kAddressSpace = 0x10000;  // addresses are 16-bit
constexpr uint8_t kErasedByte = 0xFF;

enum class ImageFormat { IntelHex, Raw };

struct Run {
    uint32_t address = 0;
    std::vector<uint8_t> bytes;

    uint32_t end() const { return address + static_cast<uint32_t>(bytes.size()); }  // one past the last
};

struct FirmwareImage {
    ImageFormat format = ImageFormat::Raw;
    std::vector<Run> runs;  // ascending, never touching or overlapping

    size_t totalBytes() const
    {
        size_t total = 0;
        for (const Run &run : runs)
            total += run.bytes.size();
        return total;
    }
};

// Either an image or the reason there is none.
struct ImageRead {
    std::optional<FirmwareImage> image;
    std::string refusal;
};

}  // namespace firmware
