// Commands of the 560 controller family.
#include "hid_thread.h"

#include "platform/logging.h"

using namespace Cmd;

namespace {
// clang-format off
constexpr Read kGetKeyboardoption  {"cmd Failed 81", 0x81, {0, 0, 0, 0, 0, 0, CS}, 0x81, true};
constexpr Read kGetCurrentProfile  {"cmd Failed 82", 0x82, {0, 0, 0, 0, 0, 0, CS}, 0x82, true};
constexpr Read kGetCurrentDPI      {"cmd Failed 84", 0x84, {arg(0), 0, 0, 0, 0, 0, CS}, 0x84, true};
constexpr Read kReadProfile        {"cmd Failed 8c", 0x8C, {arg(0), 0, 0, 0, 0, 0, CS}, 0x00, false};

constexpr Write kSetKeyboardoption {"cmd Failed 03", 0x01, {arg(0), arg(1), 0, 0, 0, 0, CS}, 0, AfterEight};
// Repeated for n = 1 to 4 in byte 2 (argument 0), the value in byte 3.
constexpr Write kSetReportRate     {"cmd Failed 01", 0x03, {arg(0), arg(1), 0, 0, 0, 0, CS}, 0, Settle};
constexpr Write kSetCurrentDPI     {"cmd Failed 04", 0x04, {arg(0), arg(1), 0, 0, 0, 0, CS}, 0, Settle};
constexpr Write kSetCurrentProfile {"cmd Failed 02", 0x02, {arg(0), 0, 0, 0, 0, 0, CS}, 0, AfterEight};
constexpr Write kSetKeyMatrix      {"cmd Failed 12", 0x0D, {arg(0), 0x80, 0, 0, 0, 0, CS}, 128, Settle};
constexpr Write kSetProfile        {"cmd Failed 0C", 0x0C, {arg(0), 0x80, 0, 0, 0, 0, CS}, 128, Settle};
constexpr Write kSetMacroKey       {"cmd Failed 0F", 0x0F, {arg(0), 0x80, 0, 0, 0, 0, CS}, 128, Settle};
// clang-format on

constexpr int kProfileLength = 128;
constexpr int kProfileDevice = 0;
constexpr int kKeyMatrixLength = 64;
} // namespace

void Hid_Thread::hid560_81H_GetKeyboardoption(int did, uchar &byte1, uchar &byte2)
{
    runRead(kGetKeyboardoption, did, {}, {&byte1, &byte2});
}

void Hid_Thread::hid560_82H_GetCurrentProfile(int did, uchar &byte1) { runRead(kGetCurrentProfile, did, {}, {&byte1}); }

void Hid_Thread::hid560_84H_GetCurrentDPI(int did, uchar &byte1, uchar &byte2)
{
    runRead(kGetCurrentDPI, did, {byte1}, {&byte1, &byte2});
}

void Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    if (!waitHidIdle()) {
        qCDebug(lcHid) << kReadProfile.failureLine;
        return;
    }
    fillCommandReport(kReadProfile.opcode, kReadProfile.bytes, {profileNo});
    std::fill_n(ackReport, sizeof ackReport, 0);
    std::copy_n(src128, kProfileLength, payload);
    // Profiles are always read from device 0, whatever device is selected.
    exchangeCommand(kProfileDevice, kProfileLength);
    std::copy_n(payload, kProfileLength, src128);
}

void Hid_Thread::hid560_01H_SetKeyboardoption(int did, uchar byte1, uchar byte2)
{
    runWrite(kSetKeyboardoption, did, {byte1, byte2});
}

void Hid_Thread::hid560_03H_SetReportRate(int did, uchar rate) { runRepeated(kSetReportRate, did, rate); }

void Hid_Thread::hid560_04H_SetCurrentDPI(int did, uchar stage) { runRepeated(kSetCurrentDPI, did, stage); }

void Hid_Thread::hid560_02H_SetCurrentProfile(int did, uchar profile) { runWrite(kSetCurrentProfile, did, {profile}); }

void Hid_Thread::hid560_0DH_SetKeyMatrix(int did, uchar *src64, uchar indexAddOne)
{
    // The block is 128 bytes: the 64 given ones, then zeros.
    uchar block[2 * kKeyMatrixLength] = {};
    std::copy_n(src64, kKeyMatrixLength, block);
    runWrite(kSetKeyMatrix, did, {indexAddOne}, block);
}

void Hid_Thread::hid560_0CH_setProfile(int did, uchar *src128, uchar profileData)
{
    runWrite(kSetProfile, did, {profileData}, src128);
}

void Hid_Thread::hid560_0FH_SetMacroKey(int did, uchar macroId, uchar *src128) { runWrite(kSetMacroKey, did, {macroId}, src128); }
