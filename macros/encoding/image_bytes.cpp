#include "macros/encoding/image_bytes.h"

#include <cmath>

namespace {

bool isFloatingPoint(const QVariant &value)
{
    const int id = value.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

} // namespace

quint8 imageByte(const QVariant &value, ByteConversion conversion)
{
    // Numbers from the UI's scripts arrive as doubles when they are not
    // whole. They round to the nearest integer as the variant's own
    // conversion does, but NaN, infinities and huge values give 0 here
    // instead of reaching an undefined cast. Signed or unsigned, the low
    // 8 bits of a rounded number are the same.
    if (isFloatingPoint(value)) {
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::fabs(number) >= 9.0e18)
            return 0;
        return quint8(std::llround(number));
    }
    bool ok = false;
    const quint64 bits = conversion == ByteConversion::Unsigned ? value.toULongLong(&ok)
                                                                : quint64(value.toLongLong(&ok));
    return ok ? quint8(bits & 0xFF) : 0;
}

QByteArray imageBuffer(const QVariantList &image, int size, ByteConversion conversion)
{
    QByteArray buffer(qMax(0, size), '\0');
    const qsizetype copied = qMin<qsizetype>(image.size(), buffer.size());
    for (qsizetype j = 0; j < copied; ++j)
        buffer[j] = char(imageByte(image.at(j), conversion));
    return buffer;
}
