#include "key_translation.h"

#include "evdev_scancodes.h"

namespace {
enum EvdevCode : int { LeftCtrl = 29, LeftAlt = 56, RightCtrl = 97, Print = 99, RightAlt = 100, Pause = 119 };
constexpr uint8_t kBreakScan = 0x46;
constexpr uint8_t kAltPrintScan = 0x54;
} // namespace

void KeyTranslation::key(int evdevCode, bool isDown, CaptureSink &sink)
{
    switch (evdevCode) {
    case LeftAlt: m_leftAlt = isDown; break;
    case RightAlt: m_rightAlt = isDown; break;
    case LeftCtrl: m_leftCtrl = isDown; break;
    case RightCtrl: m_rightCtrl = isDown; break;
    default: break;
    }
    const bool alt = m_leftAlt || m_rightAlt;
    const bool ctrl = m_leftCtrl || m_rightCtrl;
    if (evdevCode == Pause && ctrl)
        return sink.keyEvent(kBreakScan, true, alt, isDown);
    if (evdevCode == Print && alt)
        return sink.keyEvent(kAltPrintScan, false, alt, isDown);
    const SetOneScanCode code = setOneScanCodeOf(evdevCode);
    if (code.scan != 0)
        sink.keyEvent(code.scan, code.extended, alt, isDown);
}

void KeyTranslation::button(int xButton, bool isDown, int x, int y, CaptureSink &sink)
{
    switch (xButton) {
    case 1: return sink.mouseEvent(isDown ? CaptureSink::LeftDown : CaptureSink::LeftUp, x, y);
    case 2: return sink.mouseEvent(isDown ? CaptureSink::MiddleDown : CaptureSink::MiddleUp, x, y);
    case 3: return sink.mouseEvent(isDown ? CaptureSink::RightDown : CaptureSink::RightUp, x, y);
    default: return;
    }
}
