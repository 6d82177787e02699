#pragma once
#include "macros/encoding/macro_step.h"

#include <QList>

// The keyboard's macro image, one 512-byte slot:
//
// | Offset  | Field                                              |
// |---------|----------------------------------------------------|
// | 0, 1    | count, low byte first                              |
// | 2, 3    | 0                                                  |
// | 4 + 4i  | step i: usage, flags (0x80 release), delay in      |
// |         | 10 ms units low byte, high byte                    |
// | 4 + 4n  | 00 00 end of the macro (only when there are steps) |
namespace KeyboardMacroImage {
constexpr int kSize = 512;
constexpr int kCountLow = 0;
constexpr int kCountHigh = 1;
constexpr int kFirstRecord = 4;
constexpr int kRecordSize = 4;
// Within a record.
constexpr int kUsage = 0;
constexpr int kFlags = 1;
constexpr int kDelayLow = 2;
constexpr int kDelayHigh = 3;
constexpr int kReleaseFlag = 0x80;
constexpr int kDelayUnitMs = 10;
constexpr int kEndMarkerSize = 2;
// Steps that fit with the end marker.
constexpr int kMaxSteps = (kSize - kFirstRecord - kEndMarkerSize) / kRecordSize;
}

// The image of a macro played `count` times, as bytes 0..255. A macro without
// steps is the two count bytes only. Negative counts and delays read as 0;
// steps beyond what a slot holds are dropped, so the end marker always fits.
QList<int> keyboardMacroImage(const MacroSteps &steps, qint64 count);
