#pragma once
#include <QImage>
#include <QRect>
#include <QVector>

// Blends an 8-bit palette image over a 32-bit premultiplied (or opaque)
// image, source over, as QPainter::drawImage does, but reading each pixel
// through the palette once: the painter's own path for such a source costs
// about five times as much, which a picture repainted five times a second
// under the lighting preview would pay on every frame.
namespace PaletteBlit {

// The palette premultiplied, ready for blending.
QVector<QRgb> premultiplied(const QImage &indexed);

// Whether `target` is an image blend() can write into.
bool canBlendInto(const QImage &target);

// Blends `source` (Format_Indexed8, palette premultiplied in `palette`)
// with its top left at `at` of `target`, within `area` of the target only.
// A target a painter paints on must not be shared (a copy would take the
// pixels instead of the painter's buffer).
void blend(QImage &target, const QPoint &at, const QImage &source, const QVector<QRgb> &palette, const QRect &area);

} // namespace PaletteBlit
