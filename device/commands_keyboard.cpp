// The keyboard's own commands.
#include "hid_thread.h"

using namespace Cmd;

namespace {
// clang-format off
// Arguments: mode, color, brightness, speed, direction.
constexpr Write kSetRGBLedEffect {"hidSetRGBLedEffect", 0x06, {0, arg(0), arg(3), arg(2), arg(1), arg(4), CS}, 0, Settle};
// The block commands carry no checksum; byte 4 is the block length in 64-byte units.
constexpr Write kSetKeyMatrix    {"hidSetKeyMatrix", 0x08, {0, 0, 0x08, 0, 0, 0, 0}, 512, Settle};
constexpr Write kSetMacroKey     {"hidSetMacroKey", 0x0A, {0, arg(0), 0x08, 0, 0, 0, 0}, 512, Settle};
constexpr Write kSetPicture      {"hidSetPicture", 0x0B, {0, arg(0), 0x02, 0, 0, 0, 0}, 128, Settle};
// clang-format on
} // namespace

void Hid_Thread::hidSetRGBLedEffect(int did, uchar mode, uchar color, uchar brightness, uchar speed, uchar direction)
{
    runWrite(kSetRGBLedEffect, did, {mode, color, brightness, speed, direction});
}

void Hid_Thread::hidSetKeyMatrix(int did, uchar *src512) { runWrite(kSetKeyMatrix, did, {}, src512); }

void Hid_Thread::hidSetMacroKey(int did, uchar macroId, uchar *src512) { runWrite(kSetMacroKey, did, {macroId}, src512); }

void Hid_Thread::hidSetPicture(int did, uchar index, uchar *src128) { runWrite(kSetPicture, did, {index}, src128); }
