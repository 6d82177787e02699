#include "settings_guard.h"

#include "logging.h"
#include "save_failures.h"

#include <QFile>

bool holdsSerializedValue(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;  // nothing to read: QSettings reads nothing either
    if (!file.readAll().contains("@Variant("))
        return false;
    qCWarning(lcPlatform) << "refused:" << path << "- it holds a serialized value (@Variant), which the program never writes";
    return true;
}

QString setAsideIfSerialized(const QString &path)
{
    if (holdsSerializedValue(path)) {
        const QString aside = path + QStringLiteral(".refused");
        QFile::remove(aside);
        if (QFile::rename(path, aside)) {
            qCWarning(lcPlatform) << "put aside as" << aside << "- the store starts without it";
            SaveFailures::instance().reportPutAside(path, aside);
        }
    }
    return path;
}
