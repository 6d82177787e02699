#pragma once
#include <QSettings>
#include <QString>

// The format every settings file of the program is read and written in:
// the settings library's INI text, read by the program's own reader
// (IniText), which gives texts, lists of texts and plain values and never
// hands a value to the library's binary stream. That stream trusts the
// length fields of an "@Variant(...)" value: a few corrupt bytes asked for
// gigabytes. With this reader a file holding any bytes at all reads, and
// the user's own text (a macro called "@Variant(combo)") comes back as it
// was written.
//
// Files are written as the library writes them (UTF-8, sorted sections and
// keys), so files written before read the same, and the other way round.
QSettings::Format settingsFormat();

// The largest settings file that is read: the program's own are a few
// kilobytes (a macro of the most steps about a hundred). A larger file is
// not read and never written over.
inline constexpr qint64 kMaxSettingsFileSize = 4 * 1024 * 1024;

// Why the file cannot be read as a settings file, or empty when it can (a
// missing file reads as an empty one).
QString unreadableSettingsReason(const QString &path);

// Whether changes to the file were not written since the last call, because
// the file could not be read (the settings library takes that for a file
// that merely failed to read and reports no error of writing).
bool takeRefusedWrite(const QString &path);
