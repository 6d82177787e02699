#include "keyboard_macro_keys.h"

#include "platform/logging.h"
#include "platform/settings_writer.h"

#include <QSet>
#include <QSettings>
#include <QVariant>

namespace {

constexpr int kPlaysMacro = 5;

// What a stored macro key means: the macro's position in the old list, or
// -1 when it names none of its macros (left alone).
int oldPosition(const MacroListChange &change, const QString &name, const QString &position)
{
    if (!name.isEmpty())
        return int(change.before.indexOf(name));
    bool isNumber = false;
    const int p = position.toInt(&isNumber);
    return isNumber && p >= 0 && p < change.before.size() ? p : -1;
}

} // namespace

QString keyboardMacroPairKey(int key) { return QStringLiteral("keyboardKeyMatrix/") + QString::number(key); }
QString keyboardMacroNameKey(int key) { return QStringLiteral("keyboardMacroKey/") + QString::number(key); }

QString MacroListChange::problem() const
{
    if (moves.size() != before.size())
        return QStringLiteral("%1 moves for %2 macros").arg(moves.size()).arg(before.size());
    QSet<int> taken;
    for (int to : moves) {
        if (to < -1 || to >= after.size())
            return QStringLiteral("a move to position %1 of %2").arg(to).arg(after.size());
        if (to >= 0 && taken.contains(to))
            return QStringLiteral("two macros moved to position %1").arg(to);
        taken.insert(to);
    }
    return {};
}

int followMacroList(const MacroListChange &change, const QList<QSettings *> &profiles, QSettings *defaults,
                    int current)
{
    const QString problem = change.problem();
    if (!problem.isEmpty()) {
        qCWarning(lcBridge).noquote() << "macro keys not moved with the macro list:" << problem;
        return -1;
    }
    int changedInCurrent = 0;
    for (int p = 0; p < profiles.size(); ++p) {
        QSettings *profile = profiles.at(p);
        if (!profile)
            continue;
        int changed = 0;
        for (int key = 0; key < kKeyboardKeyCount; ++key) {
            const QString pairKey = keyboardMacroPairKey(key);
            const QStringList pair = profile->value(pairKey).toStringList();
            if (pair.size() != 2 || pair.at(0).trimmed() != QString::number(kPlaysMacro))
                continue;
            const QString nameKey = keyboardMacroNameKey(key);
            const QString name = profile->value(nameKey).toString();
            int from = oldPosition(change, name, pair.at(1).trimmed());
            int to = from >= 0 ? change.moves.at(from) : int(change.after.indexOf(name));
            if (from < 0 && name.isEmpty())
                continue;   // a position past the list's end: nothing to follow
            if (to < 0) {
                // Its macro is gone: the key does what it does by default.
                const QVariant factory = defaults ? defaults->value(pairKey) : QVariant();
                if (factory.isValid())
                    profile->setValue(pairKey, factory);
                else
                    profile->remove(pairKey);
                profile->remove(nameKey);
                ++changed;
                continue;
            }
            const QStringList moved{QString::number(kPlaysMacro), QString::number(to)};
            const QString movedName = change.after.at(to);
            // A pair without a name whose position stays is left as written.
            if (moved == pair && (name.isEmpty() || movedName == name))
                continue;
            profile->setValue(pairKey, moved);
            profile->setValue(nameKey, movedName);
            ++changed;
        }
        if (changed > 0)
            writeSettings(*profile);
        if (p == current)
            changedInCurrent = changed;
    }
    return changedInCurrent;
}
