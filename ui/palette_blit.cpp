#include "ui/palette_blit.h"

namespace PaletteBlit {

QVector<QRgb> premultiplied(const QImage &indexed)
{
    QVector<QRgb> palette(256, 0);
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        palette[i] = qPremultiply(table.at(i));
    return palette;
}

bool canBlendInto(const QImage &target)
{
    return (target.format() == QImage::Format_ARGB32_Premultiplied || target.format() == QImage::Format_RGB32)
           && target.devicePixelRatio() == 1.0;
}

namespace {

// c × a / 255 for each channel, as the painter rounds it.
inline QRgb byteMultiply(QRgb c, uint a)
{
    uint t = (c & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    c = ((c >> 8) & 0xff00ff) * a;
    c = (c + ((c >> 8) & 0xff00ff) + 0x800080);
    c &= 0xff00ff00;
    return c | t;
}

} // namespace

void blend(QImage &target, const QPoint &at, const QImage &source, const QVector<QRgb> &palette, const QRect &area)
{
    if (source.format() != QImage::Format_Indexed8 || palette.size() < 256 || !canBlendInto(target))
        return;
    const QRect drawn = area & target.rect() & QRect(at, source.size());
    const bool opaqueTarget = target.format() == QImage::Format_RGB32;
    uchar *bits = target.bits();
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        QRgb *out = reinterpret_cast<QRgb *>(bits + qsizetype(y) * target.bytesPerLine()) + drawn.left();
        const uchar *in = source.constScanLine(y - at.y()) + (drawn.left() - at.x());
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb colour = palette[in[x]];
            const uint alpha = qAlpha(colour);
            if (alpha == 255)
                out[x] = colour;
            else if (alpha != 0)
                out[x] = colour + byteMultiply(out[x], 255 - alpha);
            if (opaqueTarget)
                out[x] |= 0xff000000;
        }
    }
}

} // namespace PaletteBlit
