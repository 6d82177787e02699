#pragma once
// The key-name table: the HID usage codes a key assignment or macro step can
// hold, each with the short name shown to the user and stored in macro files.
// The table itself is generated at build time from keys/key_names.tsv, which
// also feeds the UI's copy (qrc:/modules/qml/basic/keyCodeTable.js).
#include <QString>
#include <QStringList>

struct KeyNameEntry
{
    unsigned char usage;
    const char *name;  // UTF-8
};

constexpr int kKeyNameCount = 134;
extern const KeyNameEntry kKeyNameTable[kKeyNameCount];

// "," and ";" are fixed to 0x36 and 0x33 whatever the list holds, and ";" /
// 0x33 double as the answer for anything unknown, as the UI's conversion does.
constexpr int kUsageComma = 0x36;
constexpr int kUsageSemicolon = 0x33;

// The built-in names, position by position.
QStringList keyNames();

// The name of a usage code: the first entry with that code; ";" when none.
QString keyNameOf(int usage);
// The usage code of a name: the first entry with that name; 0x33 when none.
int usageOfName(const QString &name);
// The same against a replacement list of names (a language's "keyCode"
// section): codes stay at their positions, only the names change.
QString keyNameOf(int usage, const QStringList &names);
int usageOfName(const QString &name, const QStringList &names);
