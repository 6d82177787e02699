#pragma once
#include <QList>
#include <QString>

class QSettings;

// Mouse keys of a profile that play a macro hold "mouseKeyMatrix/<k>" =
// 4, x, n, … with the macro's name under "mouseMacroKey/<n>". When a macro
// is deleted, every such key that plays it goes back to the defaults
// store's value. Returns how many keys were reset.
int resetMouseKeysPlaying(const QString &macroName, const QList<QSettings *> &profiles, QSettings *defaults);

inline constexpr int kMouseKeyCount = 16;
// Only the first six profiles hold mouse assignments.
inline constexpr int kProfilesWithMouseKeys = 6;
