#pragma once
#include <cstdint>

// The 8-byte scrambling of command and answer reports for devices marked
// `isEncode`. `secrecyCode` is 8 bytes; only bytes 1 to 6 take part.
namespace Scrambling {

inline constexpr char kKey[9] = "TeMvoRak";

void encrypt(uint8_t buffer[8], const uint8_t secrecyCode[8]);
void decipher(uint8_t buffer[8], const uint8_t secrecyCode[8]);

} // namespace Scrambling
