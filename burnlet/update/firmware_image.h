// A firmware image ready to program: one contiguous run of bytes at a 16-bit address.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flashtool {

constexpr uint32_t kAddressSpace = 0x10000;
constexpr uint32_t kLargestTransfer = 0xFFFF;  // a transfer's length is a 16-bit count
constexpr uint8_t kErasedByte = 0xFF;          // fills gaps between HEX records

struct FlashImage {
    uint32_t start = 0;
    std::vector<uint8_t> bytes;
};

// Why the image cannot be programmed, or nothing when it can.
std::optional<std::string> whyUnprogrammable(const FlashImage &image);

// Either an image or the reason there is none.
struct LoadedImage {
    std::optional<FlashImage> image;
    std::string error;
};

}  // namespace flashtool
