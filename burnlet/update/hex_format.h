// Small text helpers for messages.
#pragma once

#include <cstdint>
#include <string>

namespace firmware {

std::string hexWord(uint32_t value);  // "0x1A2B" (at least four digits)
std::string hexByte(uint32_t value);  // "0x1A"

}  // namespace firmware
