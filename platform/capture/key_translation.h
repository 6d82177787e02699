#pragma once
#include "capture_sink.h"

// Turns Linux key events (evdev codes) into the scan code, extended flag and
// Alt flag of the same key, tracking Alt and Ctrl as the hook's flags would:
// Ctrl+Pause is Break (0x46, extended), Alt+Print Screen is 0x54.
class KeyTranslation
{
public:
    void key(int evdevCode, bool isDown, CaptureSink &sink);
    // Button 1, 2, 3 (left, middle, right); other buttons give nothing.
    static void button(int xButton, bool isDown, int x, int y, CaptureSink &sink);

private:
    bool m_leftAlt = false, m_rightAlt = false, m_leftCtrl = false, m_rightCtrl = false;
};
