#pragma once
#include <QImage>

namespace art {

// The image as 8-bit colour indices into a palette of at most 256 colours
// with their alpha, written as a palette PNG: a quarter of its decoded size
// in the program. Exact when the image has no more colours; otherwise the
// colours are merged by median cut, fully transparent and fully opaque
// pixels each keeping their alpha exactly.
QImage withPalette(const QImage &image);

} // namespace art
