#include "name_list.h"

#include "platform/save_failures.h"
#include "platform/settings_writer.h"

#include <QSettings>
#include <QVariant>

namespace NameList {

QString key(int type, int deviceIndex)
{
    switch (type) {
    case KeyboardMacros:
        return QStringLiteral("macro/macroName");
    case MouseMacros:
        return QStringLiteral("macro/macroName1");
    case Profiles:
        return QStringLiteral("profile/") + QString::number(deviceIndex);
    case GunSelection:
        return QStringLiteral("gun/selectGun");
    default:
        return {};
    }
}

bool store(const QString &file, const QString &key, QStringList names)
{
    // A file that cannot be read is not written over with one list.
    if (const QString reason = unreadableSettingsReason(file); !reason.isEmpty()) {
        SaveFailures::instance().report(file, reason);
        return false;
    }
    QSettings settings(file, settingsFormat());
    if (names.size() == 1)
        names.append(QLatin1String(kNameListSentinel));
    if (names.isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, names);
    return writeSettings(settings);
}

QStringList read(const QString &file, const QString &key)
{
    const QSettings settings(file, settingsFormat());
    const QVariant value = settings.value(key);
    // A list read from the file is a string list; one written by this
    // process may still be cached as a variant list.
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return value.toStringList();
    case QMetaType::QVariantList: {
        QStringList names;
        for (const QVariant &entry : value.toList())
            names.append(entry.toString());
        return names;
    }
    default:
        return {};
    }
}

} // namespace NameList
