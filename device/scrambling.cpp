#include "scrambling.h"

#include <utility>

namespace Scrambling {
namespace {

constexpr int kSwapPairs[4][2] = {{0, 5}, {1, 4}, {2, 7}, {3, 6}};

void swapPairs(uint8_t b[8])
{
    for (const auto &pair : kSwapPairs)
        std::swap(b[pair[0]], b[pair[1]]);
}

void xorSecrecyCode(uint8_t b[8], const uint8_t code[8])
{
    for (int j = 1; j <= 6; ++j)
        b[j] ^= code[j];
}

uint8_t nibbleSwappedKey(int j)
{
    const uint8_t k = uint8_t(kKey[j]);
    return uint8_t((k << 4) | (k >> 4));
}

// The eight bytes as one big-endian 64-bit number, byte 0 most significant.
uint64_t toWord(const uint8_t b[8])
{
    uint64_t word = 0;
    for (int j = 0; j < 8; ++j)
        word = (word << 8) | b[j];
    return word;
}

void fromWord(uint64_t word, uint8_t b[8])
{
    for (int j = 7; j >= 0; --j) {
        b[j] = uint8_t(word);
        word >>= 8;
    }
}

} // namespace

void encrypt(uint8_t b[8], const uint8_t code[8])
{
    swapPairs(b);
    xorSecrecyCode(b, code);
    const uint64_t word = toWord(b);
    fromWord((word << 3) | (word >> 61), b);
    for (int j = 0; j < 8; ++j)
        b[j] = uint8_t(b[j] + nibbleSwappedKey(j));
}

void decipher(uint8_t b[8], const uint8_t code[8])
{
    for (int j = 0; j < 8; ++j)
        b[j] = uint8_t(b[j] - nibbleSwappedKey(j));
    const uint64_t word = toWord(b);
    fromWord((word >> 3) | (word << 61), b);
    xorSecrecyCode(b, code);
    swapPairs(b);
}

} // namespace Scrambling
