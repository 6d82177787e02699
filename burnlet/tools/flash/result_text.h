// What a burnlet result code means, in words for the user.
#pragma once

#include <cstdint>
#include <string>

namespace flashtool {

std::string describeResult(uint32_t code);

}  // namespace flashtool
