// Commands of the 576 and 52352 controller families.
#include "hid_thread.h"

using namespace Cmd;

namespace {
// clang-format off
constexpr Write kSetRGBLedEffect    {"cmd Failed 08", 0x08, {arg(0), arg(1), arg(2), arg(3), arg(4), arg(5), arg(6)}, 0, Settle};
constexpr Write kSetLED8StageColor  {"hid576_30H_SetLED8StageColor", 0x30, {0, 0, 0, 0, 0x55, 0xAA, CS}, 24, Settle};
constexpr Write kSetMacroKey52352   {"hid52352_05H_SetMacroKey", 0x05, {0, arg(0), 0x03, 0, 0, 0, CS}, 192, Settle};
// clang-format on
} // namespace

void Hid_Thread::hid576_08H_SetRGBLedEffect(int did, uchar mode, uchar brightness, uchar speed, uchar direction,
                                            uchar color, uchar bl0, uchar bl1)
{
    runWrite(kSetRGBLedEffect, did, {mode, brightness, speed, direction, color, bl0, bl1});
}

void Hid_Thread::hid576_30H_SetLED8StageColor(int did, uchar *src24) { runWrite(kSetLED8StageColor, did, {}, src24); }

void Hid_Thread::hid52352_05H_SetMacroKey(int did, uchar macroId, uchar *src192)
{
    runWrite(kSetMacroKey52352, did, {macroId}, src192);
}
