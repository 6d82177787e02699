#pragma once
// Language files: "./modules/i18n/<code>.ini", one INI group per section of
// UI strings, holding "total" and the strings under the keys 0 … total − 1,
// in the order of the UI list they replace. Read as UTF-8 text.
#include <QString>
#include <QStringList>

// A language code names a file in ./modules/i18n/ and nothing else: not
// empty, no path separators, no "..", no control characters.
bool isPlainLanguageCode(const QString &languageCode);

// "./modules/i18n/" + code + ".ini", relative to the working directory.
QString languageFilePath(const QString &languageCode);

// The strings of one section in key order 0 … total − 1; a missing key reads
// as "". A missing file or section, or a "total" that is absent, not a number
// or not positive, gives an empty list, as does a refused language code (which
// is logged). A "total" above kMaxLanguageStrings is refused and logged.
QStringList readLanguageSection(const QString &section, const QString &languageCode);

constexpr int kMaxLanguageStrings = 4096;
