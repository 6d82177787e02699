#include "settings_guard.h"

#include "logging.h"
#include "safe_file.h"
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

QString setAsideIfSerialized(const QString &path, const QString &factoryFile)
{
    if (!holdsSerializedValue(path))
        return path;
    const QString aside = path + QStringLiteral(".refused");
    QFile::remove(aside);
    if (!QFile::rename(path, aside))
        return path;
    // Without its factory copy the global store would lose the device table
    // for good once it writes itself back, and a profile its whole contents.
    QString error;
    const bool restored = !factoryFile.isEmpty() && !holdsSerializedValue(factoryFile)
                       && replaceWithCopy(factoryFile, path, &error);
    qCWarning(lcPlatform).noquote() << "put aside as" << aside << "- the store starts"
                                    << (restored ? "from " + factoryFile : QStringLiteral("empty ") + error);
    SaveFailures::instance().reportPutAside(path, aside);
    return path;
}
