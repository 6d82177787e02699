// Reading a firmware image file. Intel HEX and raw binary are told apart by what the file
// holds, never by its name: a file whose first line is a HEX record is read as HEX, any
// other as raw bytes. Memory stays bounded whatever the file is (a device node, a pipe, a
// file of gigabytes): too much is refused as soon as it is seen.
#pragma once

#include "firmware_image.h"

#include <optional>
#include <string>

namespace firmware {

// No HEX file of a 64 KiB image is near this long, even one data byte to a record.
constexpr uint64_t kLongestHexFile = 4u << 20;

// rawAddress is where a raw binary goes (default 0); a HEX file carries its own addresses,
// and giving one for it is refused.
ImageRead readImageFile(const std::string &path, std::optional<uint32_t> rawAddress);

}  // namespace firmware
