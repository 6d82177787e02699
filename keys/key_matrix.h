#pragma once
// The keyboard's key positions as the UI numbers them: index = 6 × column +
// row, 21 columns of 6 rows, row 0 the function-key row. Each position has the
// key's own name from the key-name table, or "" where the matrix has no key.
#include <QString>

constexpr int kKeyMatrixColumns = 21;
constexpr int kKeyMatrixRows = 6;
constexpr int kKeyMatrixSize = kKeyMatrixColumns * kKeyMatrixRows;  // 126
constexpr int kIsoKeyIndex = 10;  // column 1, row 4: the "|\" key of ISO editions
constexpr int kFnKeyIndex = 71;   // column 11, row 5

// The key's own name at a position; "" for no key or an index out of range.
QString keyMatrixName(int index);
