// Reading an image file: Intel HEX by its extension (.hex, .ihx, .ihex), raw binary otherwise.
#pragma once

#include "flash_image.h"

#include <optional>
#include <string>

namespace flashtool {

bool looksLikeIntelHex(const std::string &path);

// rawAddress is where a raw binary goes; HEX files carry their own addresses.
LoadedImage loadImage(const std::string &path, std::optional<uint32_t> rawAddress);

}  // namespace flashtool
