#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

// Keyboard keys that play a macro hold "keyboardKeyMatrix/<i>" = 5, <p>: the
// macro's position p in the keyboard macro list, which is also the keyboard's
// slot that plays it. Beside it, "keyboardMacroKey/<i>" names the macro the
// user chose, so that the key stays on that macro when the list changes.
// Pairs written before the name was kept have no name: they mean the macro at
// their position in the list as it was before the change.
//
// A change of the list: the names before and after it, and for every
// position before it the macro's position after it (-1: deleted).
struct MacroListChange
{
    QStringList before;
    QList<int> moves;
    QStringList after;

    // Why the change cannot be applied, or an empty string.
    QString problem() const;
};

inline constexpr int kKeyboardKeyCount = 126;

// Moves every key of the profiles that plays a macro to that macro's new
// position and name; a key whose macro was deleted takes the defaults store's
// assignment. Keys whose stored position names no macro of the old list are
// left as they are. Each profile that changed is written. Returns how many
// keys of `profiles[current]` changed, or -1 when the change is refused.
int followMacroList(const MacroListChange &change, const QList<QSettings *> &profiles, QSettings *defaults,
                    int current);

QString keyboardMacroPairKey(int key);
QString keyboardMacroNameKey(int key);
