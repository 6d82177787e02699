#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <QVariant>

// A settings file's whole text: "[section]" lines, "key=value" lines,
// comments after ';', values continued over line ends inside quotes or
// after '\'. Reading and writing follow the settings library's INI format
// line by line, so a file either writes reads the same through the other;
// the values and their escapes are IniValues' and IniEscapes'. Writing
// departs from the library in one place: a section spelled like "general"
// is written as "[%<its spelling>]", where the library writes "[%General]"
// for every spelling and so merges "general/k" and "General/k" on reading.
namespace IniText {

// Keys as "section/key"; keys before any section, or in "[General]", have
// no section.
using Values = QMap<QString, QVariant>;

struct Reading
{
    Values values;
    // Lines that are neither a section, a key with "=", nor a comment, and
    // section lines without their "]": skipped, as the library skips them.
    int skippedLines = 0;
    // Values in a serialized form ("@Variant(...)", "@DateTime(...)"), and
    // those of them that were not read as a value and are kept as their text.
    int serialized = 0;
    int keptAsText = 0;
};

Reading read(QByteArrayView text);

// The file's text: sections and keys in the library's order (sorted), a
// blank line between sections. `unwritable` counts values whose kind the
// files cannot hold (written as "@Invalid()").
QByteArray write(const Values &values, int *unwritable = nullptr);

} // namespace IniText
