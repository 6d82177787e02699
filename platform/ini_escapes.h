#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The escapes of the settings files' INI text, exactly as the settings
// library writes and reads them, so that a file written by either reads
// the same through the other.
//
// Keys and section names: letters, digits, '_', '-' and '.' stand as they
// are, '/' is written as '\', any other character as %XX (up to U+00FF) or
// %UXXXX; a key is read as UTF-8.
//
// Values: written as UTF-8; control characters (and U+FEFF, which the
// reader would drop as a byte order mark at a value's start) as C escapes
// (\n, \t, \0, …) or \x followed by hex digits; '"' and '\' escaped with '\'. A value
// holding ',', ';' or '=' or starting or ending with a space is written in
// double quotes. A list is its values joined by ", ". Read back, \x (any
// number of hex digits) and octal escapes give one UTF-16 code unit each,
// so files of the older form, with every non-ASCII character escaped, read
// the same as the UTF-8 ones.
namespace IniEscapes {

void appendKey(QByteArray &out, QStringView key);
QString key(QByteArrayView escaped);

// A text in one of the serialized forms ("@ByteArray(", "@Variant(",
// "@DateTime(") has its characters above U+007E written as \x escapes, not
// as UTF-8: they stand for bytes.
void appendText(QByteArray &out, QStringView text);
void appendTextList(QByteArray &out, const QStringList &texts);

// A value as it stands after "=": true and the entries in `list` when it is
// a list (an unquoted comma), otherwise false and the text in `text`.
bool value(QByteArrayView raw, QString &text, QStringList &list);

} // namespace IniEscapes
