#pragma once
#include <QByteArray>
#include <QVariant>
#include <QVariantList>

// How a value from the UI becomes one byte of a device buffer: converted to
// an unsigned or a signed integer, then cut to its low 8 bits. A value that
// does not convert (text that is not a number, a list, ...) gives 0.
enum class ByteConversion { Unsigned, Signed };

quint8 imageByte(const QVariant &value, ByteConversion conversion);

// A zeroed buffer of `size` bytes with entry j of `image` at byte j; entries
// beyond the buffer are not copied.
QByteArray imageBuffer(const QVariantList &image, int size, ByteConversion conversion);
