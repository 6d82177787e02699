#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QVariant>

#include <optional>

// The binary form inside an "@Variant(...)" settings value, for the few
// kinds of value the program stores: booleans, integers, doubles, texts and
// lists of them (nested a few levels at most). A settings file holds this
// form for a list of exactly one value (its text form would read back as a
// plain value) and for values other writers stored.
//
// The reader here is strict and bounded: every count and length is checked
// against the bytes that are there before anything is made of it, so no
// input asks for more memory than its own size. A value of any other kind
// is not read (nullopt), and the caller keeps the value's text instead.
namespace SerializedValues {

// Reads one value from the start of `bytes`; bytes after it are ignored,
// as in the files, where the closing parenthesis follows.
std::optional<QVariant> decode(QByteArrayView bytes);

// The binary form of `value`, or nullopt when it holds a kind of value
// the reader above does not read back.
std::optional<QByteArray> encode(const QVariant &value);

} // namespace SerializedValues
