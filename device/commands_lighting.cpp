// Lighting of the mousepad and of the lighting accessory.
#include "hid_thread.h"

using namespace Cmd;

namespace {
// clang-format off
// Mousepad, no checksum: mode, brightness, speed, X, red, green, blue.
constexpr Write kMousePadEffect {"cmd Failed 06", 0x08, {arg(0), arg(1), arg(2), arg(3), arg(4), arg(5), arg(6)}, 0, Settle};
// Accessory: mode, speed, brightness, red, green, blue; colour and direction are not sent.
constexpr Write kSupportEffect  {"hidsupport_SetRGBLedEffect", 0x01, {arg(0), arg(1), arg(2), arg(3), arg(4), arg(5), CS}, 0, Settle};
// clang-format on
constexpr uchar kMousePadDirectionalMode = 3;
} // namespace

void Hid_Thread::hidmousePad_SetRGBLedEffect(int did, uchar mode, uchar color, uchar brightness, uchar speed,
                                             uchar direction, uchar colorR, uchar colorG, uchar colorB)
{
    // Byte 5 holds the direction in the directional mode, the colour index otherwise.
    const uchar x = mode == kMousePadDirectionalMode ? direction : uchar(color * 16);
    runWrite(kMousePadEffect, did, {mode, brightness, speed, x, colorR, colorG, colorB});
}

void Hid_Thread::hidsupport_SetRGBLedEffect(int did, uchar mode, uchar, uchar brightness, uchar speed, uchar,
                                            uchar colorR, uchar colorG, uchar colorB)
{
    runWrite(kSupportEffect, did, {mode, speed, brightness, colorR, colorG, colorB});
}
