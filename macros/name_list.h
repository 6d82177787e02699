#pragma once
#include <QString>
#include <QStringList>

// The ordered name lists of the name list file ("./modules/setting/name.bin"):
// keyboard macros, mouse macros, the profiles of each device and the
// selected gun presets. A list of one name is stored with kNameListSentinel
// appended, so that it is written and read back as a list and not as a plain
// string; an empty list is never stored, its key is removed instead.
inline constexpr char kNameListSentinel[] = "loadertravex";

namespace NameList {
enum Type { KeyboardMacros = 0, MouseMacros = 1, Profiles = 2, GunSelection = 3 };

// The key of a list type: "macro/macroName", "macro/macroName1",
// "profile/<deviceIndex>", "gun/selectGun"; empty for an unknown type.
QString key(int type, int deviceIndex);

// Stores the list under the key, following the sentinel rule. False when
// the file could not be written.
bool store(const QString &file, const QString &key, QStringList names);

// The list under the key, the sentinel as stored; empty when the key is
// missing or holds a plain string.
QStringList read(const QString &file, const QString &key);
} // namespace NameList
