#include "evdev_scancodes.h"

#include <array>
#include <cstddef>

namespace {

struct Row
{
    uint16_t evdev;
    uint8_t scan;
    bool extended;
};

// clang-format off
constexpr Row kRows[] = {
    {1, 0x01, false},                                                     // Esc
    {2, 0x02, false}, {3, 0x03, false}, {4, 0x04, false}, {5, 0x05, false}, {6, 0x06, false},
    {7, 0x07, false}, {8, 0x08, false}, {9, 0x09, false}, {10, 0x0A, false}, {11, 0x0B, false}, // 1..0
    {12, 0x0C, false}, {13, 0x0D, false}, {14, 0x0E, false}, {15, 0x0F, false},                // - = Backspace Tab
    {16, 0x10, false}, {17, 0x11, false}, {18, 0x12, false}, {19, 0x13, false}, {20, 0x14, false},
    {21, 0x15, false}, {22, 0x16, false}, {23, 0x17, false}, {24, 0x18, false}, {25, 0x19, false}, // Q..P
    {26, 0x1A, false}, {27, 0x1B, false}, {28, 0x1C, false}, {29, 0x1D, false},                // [ ] Enter LCtrl
    {30, 0x1E, false}, {31, 0x1F, false}, {32, 0x20, false}, {33, 0x21, false}, {34, 0x22, false},
    {35, 0x23, false}, {36, 0x24, false}, {37, 0x25, false}, {38, 0x26, false},                // A..L
    {39, 0x27, false}, {40, 0x28, false}, {41, 0x29, false}, {42, 0x2A, false}, {43, 0x2B, false}, // ; ' ` LShift backslash
    {44, 0x2C, false}, {45, 0x2D, false}, {46, 0x2E, false}, {47, 0x2F, false}, {48, 0x30, false},
    {49, 0x31, false}, {50, 0x32, false},                                                        // Z..M
    {51, 0x33, false}, {52, 0x34, false}, {53, 0x35, false},
    {54, 0x36, true},  // right Shift: low-level keyboard events flag it as extended
    {55, 0x37, false}, {56, 0x38, false}, {57, 0x39, false}, {58, 0x3A, false},                // KP* LAlt Space Caps
    {59, 0x3B, false}, {60, 0x3C, false}, {61, 0x3D, false}, {62, 0x3E, false}, {63, 0x3F, false},
    {64, 0x40, false}, {65, 0x41, false}, {66, 0x42, false}, {67, 0x43, false}, {68, 0x44, false}, // F1..F10
    {69, 0x45, true},  {70, 0x46, false},                                                        // Num Lock, Scroll Lock
    {71, 0x47, false}, {72, 0x48, false}, {73, 0x49, false}, {74, 0x4A, false}, {75, 0x4B, false},
    {76, 0x4C, false}, {77, 0x4D, false}, {78, 0x4E, false}, {79, 0x4F, false}, {80, 0x50, false},
    {81, 0x51, false}, {82, 0x52, false}, {83, 0x53, false},                                     // keypad
    {86, 0x56, false}, {87, 0x57, false}, {88, 0x58, false}, {89, 0x73, false},                // ISO \ F11 F12 Ro
    {96, 0x1C, true},  {97, 0x1D, true},  {98, 0x35, true},  {99, 0x37, true},  {100, 0x38, true}, // KPEnter RCtrl KP/ Print RAlt
    {102, 0x47, true}, {103, 0x48, true}, {104, 0x49, true}, {105, 0x4B, true}, {106, 0x4D, true},
    {107, 0x4F, true}, {108, 0x50, true}, {109, 0x51, true}, {110, 0x52, true}, {111, 0x53, true}, // navigation
    {113, 0x20, true}, {114, 0x2E, true}, {115, 0x30, true}, {116, 0x5E, true}, {117, 0x59, false}, // Mute Vol- Vol+ Power KP=
    {119, 0x45, false}, {124, 0x7D, false},                                                      // Pause, Yen
    {125, 0x5B, true}, {126, 0x5C, true}, {127, 0x5D, true},                                     // LWin RWin Menu
    {140, 0x21, true}, {142, 0x5F, true}, {143, 0x63, true}, {155, 0x6C, true},                // Calc Sleep Wake Mail
    {163, 0x19, true}, {164, 0x22, true}, {165, 0x10, true}, {166, 0x24, true},                // Next Play Prev Stop
    {172, 0x32, true}, {217, 0x65, true},                                                        // Home page, Search
    {183, 0x64, false}, {184, 0x65, false}, {185, 0x66, false}, {186, 0x67, false}, {187, 0x68, false},
    {188, 0x69, false}, {189, 0x6A, false}, {190, 0x6B, false}, {191, 0x6C, false}, {192, 0x6D, false}, // F13..F22
    {193, 0x6E, false}, {194, 0x76, false},                                                      // F23 F24
};
// clang-format on

constexpr int kMaxCode = 256;

constexpr std::array<SetOneScanCode, kMaxCode> buildTable()
{
    std::array<SetOneScanCode, kMaxCode> table{};
    for (const Row &row : kRows)
        table[row.evdev] = {row.scan, row.extended};
    return table;
}

constexpr std::array<SetOneScanCode, kMaxCode> kTable = buildTable();

} // namespace

SetOneScanCode setOneScanCodeOf(int evdevCode)
{
    return evdevCode >= 0 && evdevCode < kMaxCode ? kTable[std::size_t(evdevCode)] : SetOneScanCode{};
}
