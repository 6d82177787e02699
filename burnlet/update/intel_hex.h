// Reading Intel HEX images. Every record is checked (start code, hex digits, byte count,
// checksum, record type) and the whole file is refused on the first fault, so that a corrupt
// file never reaches the device.
#pragma once

#include "flash_image.h"

#include <istream>

namespace flashtool {

LoadedImage parseIntelHex(std::istream &text);

}  // namespace flashtool
