#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>

// Values of the settings files and their text, with the settings library's
// "@" forms: "@@" for a text that starts with "@", "@Invalid()", "@String(",
// "@ByteArray(", "@Rect(", "@Size(", "@Point(" and "@Variant(". Nothing is
// read through the library's binary stream: "@Variant(...)" is read by
// SerializedValues, and one it does not read (like "@DateTime(...)") stays
// the text it is.
namespace IniValues {

// A value read from a file.
QVariant fromText(const QString &text);
// A list read from a file: a string list, or a list of values when an entry
// is in one of the "@" forms.
QVariant fromTexts(const QStringList &texts);

// The text a value is written as. A kind of value the files cannot hold is
// written as its text where it has one, else as "@Invalid()"; `written` is
// false then.
QString toText(const QVariant &value, bool *written = nullptr);
QStringList toTexts(const QVariantList &values, bool *written = nullptr);

// Whether a value is written as a list: string lists, and lists of any
// length but one (a one-value list would read back as a plain value, so it
// is written in its serialized form).
bool isWrittenAsList(const QVariant &value);

} // namespace IniValues
