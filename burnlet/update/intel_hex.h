// Reading Intel HEX images. Every record is checked (start code, hex digits, byte count,
// checksum, record type) and the whole file is refused on the first fault, so that a corrupt
// file never reaches the device. Memory stays bounded whatever the input: a line longer than
// any record can be is refused as soon as that is seen, and the data can only fill the
// 16-bit address space, once.
#pragma once

#include "firmware_image.h"

#include <istream>

namespace firmware {

// The longest record: ':' and two digits for each of count, offset (2), type, 255 data
// bytes and checksum.
constexpr size_t kLongestRecordChars = 1 + 2 * (1 + 2 + 1 + 255 + 1);

ImageRead parseIntelHex(std::istream &text);

// Whether `line` (one line without its end) is an Intel HEX record as far as its characters
// go: ':' and then only hex digits, an even number of at least ten. `cut`: only the line's
// beginning was read (it is longer than any record), and only its characters count.
bool looksLikeHexRecord(const std::string &line, bool cut = false);

}  // namespace firmware
