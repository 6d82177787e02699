#pragma once
#include "keys/key_matrix.h"

#include <array>
#include <cstdint>

// Where each key of the keyboard picture (UI key index 0..125, 21 per row)
// lives in the device's key matrix of 128 four-byte positions.
namespace KeyboardLayout {

inline constexpr int kUiKeys = kKeyMatrixSize;
inline constexpr int kMatrixBytes = 512;

// clang-format off
inline constexpr std::array<uint8_t, kUiKeys> kMatrixPosition = {
    105,  84,  63,  42,  21,   0, 106,  85,  64,  43,  35,   1, 107,  86,  65,  44,  22,   2, 108,  87,  66,
     45,  23,   3, 109,  88,  67,  46,  24,   4, 110,  89,  68,  47,  25,   4, 111,  90,  69,  48,  26,   5,
    112,  91,  70,  49,  27,   6, 113,  92,  71,  50,  28,   7, 114,  93,  72,  51,  29,   8, 115,  94,  73,
     52,  30,   9, 116,  95,  74,  53,  31,  10, 117,  96,  75,  32,  32,  11, 118,  97,  54,  55,  33,  13,
    119,  98,  77,  56,  34,  14, 120,  99,  78,  57,  36,  15, 121, 100,  79,  58,  37,  16, 122, 101,  80,
     59,  38,  17, 123, 102,  81,  60,  39,  18, 124, 103,  82,  61,  40,  19, 125, 104,  83,  62,  41,  20,
};
// clang-format on

// On the editions found alone as entry 2 or 3 of the device table (states 4
// and 8), the key at position 54 sits at position 76.
inline constexpr uint8_t kMovedFrom = 54;
inline constexpr uint8_t kMovedTo = 76;

constexpr int matrixPosition(int uiKey, uint8_t connectionState)
{
    const uint8_t position = kMatrixPosition[uiKey];
    return (connectionState == 4 || connectionState == 8) && position == kMovedFrom ? kMovedTo : position;
}

} // namespace KeyboardLayout
