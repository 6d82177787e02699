// Commands of the ARM controller family (mice).
#include "hid_thread.h"

using namespace Cmd;

namespace {
// clang-format off
constexpr Write kSetReportRate      {"cmd Failed 01", 0x01, {arg(0), 0x03, 0x03, 0x0F, 0, 0, CS}, 0, Settle};
constexpr Write kSetDPI07           {"hidARM_07H_SetDPI", 0x07, {arg(0), arg(1), arg(2), arg(3), arg(4), arg(5), CS}, 0, Settle};
constexpr Write kSetDPI08           {"hidARM_08H_SetDPI", 0x08, {arg(0), arg(1), arg(2), arg(3), arg(4), 0, CS}, 0, Settle};
constexpr Write kSetKeyMatrix       {"cmd Failed 03", 0x03, {0, 0, 0x01, 0, 0, 0, CS}, 64, Settle};
constexpr Write kSetLED8StageColor  {"hidARM_0CH_SetLED8StageColor", 0x0C, {0, 0, 0x01, 0, 0, 0, CS}, 24, Settle};
// clang-format on
} // namespace

void Hid_Thread::hidARM_01H_SetReportRate(int did, uchar rate) { runWrite(kSetReportRate, did, {rate}); }

void Hid_Thread::hidARM_07H_SetDPI(int did, uchar curDPI, uchar DPISegment, uchar DPI0, uchar DPI1, uchar DPI2, uchar DPI3)
{
    runWrite(kSetDPI07, did, {curDPI, DPISegment, DPI0, DPI1, DPI2, DPI3});
}

void Hid_Thread::hidARM_08H_SetDPI(int did, uchar DPI4, uchar DPI5, uchar DPI6, uchar DPI7, uchar mul)
{
    runWrite(kSetDPI08, did, {DPI4, DPI5, DPI6, DPI7, mul});
}

void Hid_Thread::hidARM_03H_SetKeyMatrix(int did, uchar *src64) { runWrite(kSetKeyMatrix, did, {}, src64); }

void Hid_Thread::hidARM_0CH_SetLED8StageColor(int did, uchar *src24) { runWrite(kSetLED8StageColor, did, {}, src24); }
