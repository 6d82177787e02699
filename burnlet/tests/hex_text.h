// Intel HEX text as a tool writes it, for images the tests hand over as files.
#pragma once

#include "sim_fixture.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace testing {

// One Intel HEX record with a correct checksum.
inline QByteArray record(uint8_t type, uint16_t offset, const std::vector<uint8_t> &data)
{
    std::vector<uint8_t> raw = {uint8_t(data.size()), uint8_t(offset >> 8), uint8_t(offset & 0xFF), type};
    raw.insert(raw.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (uint8_t b : raw)
        sum = uint8_t(sum + b);
    raw.push_back(uint8_t(-sum));
    return ":" + bytes(raw).toHex().toUpper() + "\n";
}

inline QByteArray endOfFile()
{
    return ":00000001FF\n";
}

// data split into records of 16 bytes from `address` on.
inline QByteArray hexImage(uint16_t address, const std::vector<uint8_t> &data)
{
    QByteArray text;
    for (size_t at = 0; at < data.size(); at += 16) {
        const size_t n = std::min<size_t>(16, data.size() - at);
        text += record(0, uint16_t(address + at), std::vector<uint8_t>(data.begin() + long(at), data.begin() + long(at + n)));
    }
    return text;
}

}  // namespace testing
