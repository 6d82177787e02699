#pragma once
#include "macros/encoding/macro_step.h"

#include <QList>

// The mouse's macro image, one 192-byte slot:
//
// | Offset | Field                                               |
// |--------|-----------------------------------------------------|
// | 0, 1   | count, high byte first                              |
// | 2 ...  | one record per step, 2 or 4 bytes (below)          |
// | after  | 00 00 end of the macro (only when there are steps)  |
//
// A record carries the delay that precedes its step, in ms: the delay stored
// with the previous step, 0 (sent as 1) for the first. The last step's own
// delay is not sent.
//
// | Byte | Short (delay < 127)                 | Escaped (delay >= 127)   |
// |------|-------------------------------------|--------------------------|
// | 0    | delay (0 sent as 1) | 0x80 release  | 0x7F | 0x80 release      |
// | 1    | usage               | usage                                   |
// | 2    | -                   | delay high byte (its low 8 bits)        |
// | 3    | -                   | delay low byte                          |
namespace MouseMacroImage {
constexpr int kSize = 192;
constexpr int kCountHigh = 0;
constexpr int kCountLow = 1;
constexpr int kFirstRecord = 2;
constexpr int kShortRecordSize = 2;
constexpr int kEscapedRecordSize = 4;
// Within a record.
constexpr int kDelayOrEscape = 0;
constexpr int kUsage = 1;
constexpr int kDelayHigh = 2;
constexpr int kDelayLow = 3;
constexpr int kEscape = 0x7F;
constexpr int kReleaseFlag = 0x80;
constexpr int kEndMarkerSize = 2;
}

// The image of a macro played `count` times, as bytes 0..255. A macro without
// steps is the two count bytes only. Negative counts and delays read as 0;
// steps whose record would not leave room for the end marker are dropped.
QList<int> mouseMacroImage(const MacroSteps &steps, qint64 count);
