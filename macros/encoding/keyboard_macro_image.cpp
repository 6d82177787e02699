#include "macros/encoding/keyboard_macro_image.h"

#include <QtGlobal>

using namespace KeyboardMacroImage;

QList<int> keyboardMacroImage(const MacroSteps &steps, qint64 count)
{
    count = qMax<qint64>(0, count);
    const int used = int(qMin<qsizetype>(steps.size(), kMaxSteps));

    QList<int> image(used ? kFirstRecord + used * kRecordSize + kEndMarkerSize : kCountHigh + 1, 0);
    image[kCountLow] = int(count & 0xFF);
    image[kCountHigh] = int((count >> 8) & 0xFF);

    for (int i = 0; i < used; ++i) {
        const MacroStep &step = steps.at(i);
        const qint64 units = qMax<qint64>(0, step.delayMs) / kDelayUnitMs;
        int low = int(units & 0xFF);
        // A zero low byte is always sent as 1, whatever the high byte: a
        // delay below one unit waits one unit, and whole multiples of
        // 2560 ms gain one unit.
        if (low == 0)
            low = 1;
        const int record = kFirstRecord + i * kRecordSize;
        image[record + kUsage] = step.usage & 0xFF;
        image[record + kFlags] = step.release ? kReleaseFlag : 0;
        image[record + kDelayLow] = low;
        image[record + kDelayHigh] = int((units >> 8) & 0xFF);
    }
    // The end marker's two zero bytes are already in place.
    return image;
}
