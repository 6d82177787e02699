#pragma once
#include <cstdint>

// What a capture source delivers: the inputs a low-level keyboard and mouse
// hook sees on the desktop the capture unit was written for.
class CaptureSink
{
public:
    // Button messages of the mouse events.
    enum ButtonMessage : int {
        LeftDown = 0x201, LeftUp = 0x202, LeftDoubleClick = 0x203,
        RightDown = 0x204, RightUp = 0x205, RightDoubleClick = 0x206,
        MiddleDown = 0x207, MiddleUp = 0x208,
    };

    virtual ~CaptureSink() = default;
    virtual void keyEvent(uint8_t scanCode, bool extended, bool alt, bool isDown) = 0;
    virtual void mouseEvent(int message, int x, int y) = 0;
    // The source can no longer see the releases of keys that are down (its
    // window lost the keyboard focus).
    virtual void keysLost() {}
};
