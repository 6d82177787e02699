#include "hex_format.h"

#include <cstdio>

namespace firmware {

std::string hexWord(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string hexByte(uint32_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

}  // namespace firmware
