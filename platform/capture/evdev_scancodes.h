#pragma once
#include <cstdint>

// The PC set-1 scan code and extended flag of a key, as the desktop's
// low-level keyboard events report them, for a Linux input event code
// (X keycode − 8). Keys without one give {0, false}.
struct SetOneScanCode
{
    uint8_t scan = 0;
    bool extended = false;
};

SetOneScanCode setOneScanCodeOf(int evdevCode);
