#include "mouse_macro_keys.h"

#include "platform/settings_writer.h"
#include "platform/stored_list.h"

#include <QSettings>
#include <QVariant>

namespace {
constexpr int kPlaysMacro = 4;
}

int resetMouseKeysPlaying(const QString &macroName, const QList<QSettings *> &profiles, QSettings *defaults)
{
    int reset = 0;
    for (QSettings *profile : profiles) {
        if (!profile)
            continue;
        bool changed = false;
        for (int k = 0; k < kMouseKeyCount; ++k) {
            const QString key = QStringLiteral("mouseKeyMatrix/") + QString::number(k);
            const QVariantList assignment = storedList(profile->value(key));
            bool isNumber = false;
            if (assignment.size() < 3 || assignment.at(0).toInt(&isNumber) != kPlaysMacro || !isNumber)
                continue;
            const int slot = assignment.at(2).toInt(&isNumber);
            if (!isNumber)
                continue;
            const QString slotKey = QStringLiteral("mouseMacroKey/") + QString::number(slot);
            if (!profile->contains(slotKey) || profile->value(slotKey).toString() != macroName)
                continue;
            // The slot's name stays: only the key stops playing the macro.
            const QVariant factory = defaults ? defaults->value(key) : QVariant();
            if (factory.isValid())
                profile->setValue(key, factory);
            else
                profile->remove(key);
            changed = true;
            ++reset;
        }
        if (changed)
            writeSettings(*profile);
    }
    return reset;
}
