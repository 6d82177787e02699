#pragma once
// What each keycap of the keyboard pictures reads. The legend comes from the
// key matrix (keys/key_matrix.cpp), the same names the key pages and the
// device codes use, printed in its short keycap form where the matrix name is
// an internal one, and otherwise on the few keys a UK edition prints
// differently. So a picture, its hot spots and the matrix cannot disagree.
#include <QString>

namespace art {

// The legend of the key at matrix index (6 × column + row) on a UK or US
// edition; "" where the matrix has no name (no key, or the four unnamed keys
// above the keypad).
QString keyLegend(int index, bool uk);

} // namespace art
