// Commands of the 553 controller family.
#include "hid_thread.h"

using namespace Cmd;

namespace {
// clang-format off
constexpr Read kGetSecrecyCode     {"cmd Failed 00", 0x00, {arg(0), arg(1), arg(2), arg(3), 0, 0, CS}, 0x00, false};
constexpr Read kGetKeyboardoption  {"cmd Failed 83", 0x83, {0, 0, 0, 0, 0, 0, CS}, 0x83, true};
// The answer to 8B is preset with opcode 84, as the device family expects.
constexpr Read kGetCurrentDPI      {"cmd Failed 8BH", 0x8B, {0, 0, 0, 0, 0, 0, CS}, 0x84, true};

constexpr Write kSetKeyboardoption {"cmd Failed 03", 0x03, {arg(0), arg(1), arg(2), arg(3), 0, 0, CS}, 0, AfterEight};
constexpr Write kSetGunData        {"cmd Failed 04", 0x04, {0, arg(0), arg(1), arg(2), arg(3), 0, CS}, 0, AfterEight};
constexpr Write kSetCurrentDPI     {"cmd Failed 0B", 0x0B, {arg(0), 0, 0, 0, 0, 0, CS}, 0, Settle};
constexpr Write kSetCurrentMatrix  {"cmd Failed 02", 0x02, {arg(0), 0, 0, 0, 0, 0, CS}, 0, Settle};
constexpr Write kSetFixLEDColor    {"cmd Failed 0C", 0x0C, {arg(0), arg(1), arg(2), 0, 0, 0, CS}, 0, Settle};
constexpr Write kSetDPISet         {"cmd Failed 11", 0x11, {arg(0), 0x08, 0, 0, 0, 0, CS}, 8, Settle};
// clang-format on
} // namespace

void Hid_Thread::hid553_00H_GetSecrecyCode(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    readSecrecyCode(did, byte1, byte2, byte3, byte4);
}

bool Hid_Thread::readSecrecyCode(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    return runRead(kGetSecrecyCode, did, {byte1, byte2, byte3, byte4}, {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid553_83H_GetKeyboardoption(int did, uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    runRead(kGetKeyboardoption, did, {}, {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(int did, uchar &byte1) { runRead(kGetCurrentDPI, did, {}, {&byte1}); }

void Hid_Thread::hid553_03H_SetKeyboardoption(int did, uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runWrite(kSetKeyboardoption, did, {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_04H_SetGunData(int did, uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    runWrite(kSetGunData, did, {byte1, byte2, byte3, byte4});
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(int did, uchar stage) { runWrite(kSetCurrentDPI, did, {stage}); }

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(int did, uchar currentKeyMatrix)
{
    runWrite(kSetCurrentMatrix, did, {currentKeyMatrix});
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(int did, uchar *src3)
{
    runWrite(kSetFixLEDColor, did, {src3[0], src3[1], src3[2]});
}

void Hid_Thread::hid553_11H_SetDPISet(int did, uchar dpiStage, uchar *src8) { runWrite(kSetDPISet, did, {dpiStage}, src8); }
