#include "macros/encoding/mouse_macro_image.h"

#include <QtGlobal>

using namespace MouseMacroImage;

namespace {

void appendRecord(QList<int> &image, const MacroStep &step, qint64 precedingDelay)
{
    const int release = step.release ? kReleaseFlag : 0;
    const int usage = step.usage & 0xFF;
    if (precedingDelay < kEscape) {
        // A zero first byte would read as the end of the macro: 0 goes as 1.
        image << ((precedingDelay == 0 ? 1 : int(precedingDelay)) | release) << usage;
        return;
    }
    image << (kEscape | release) << usage << int((precedingDelay >> 8) & 0xFF) << int(precedingDelay & 0xFF);
}

} // namespace

QList<int> mouseMacroImage(const MacroSteps &steps, qint64 count)
{
    count = qMax<qint64>(0, count);
    QList<int> image;
    image.reserve(kSize);
    image.resize(kFirstRecord);
    image[kCountHigh] = int((count >> 8) & 0xFF);
    image[kCountLow] = int(count & 0xFF);
    if (steps.isEmpty())
        return image;

    qint64 precedingDelay = 0;
    for (const MacroStep &step : steps) {
        const int recordSize = precedingDelay < kEscape ? kShortRecordSize : kEscapedRecordSize;
        if (image.size() + recordSize + kEndMarkerSize > kSize)
            break;
        appendRecord(image, step, precedingDelay);
        precedingDelay = qMax<qint64>(0, step.delayMs);
    }
    image << 0 << 0;  // end of the macro
    return image;
}
