#include "private_folder.h"

#include "logging.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

QString whyNotPrivate(const QString &path)
{
    struct stat info;
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("it does not exist");
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("it is not a folder");
    if (info.st_uid != getuid())
        return QStringLiteral("it belongs to user %1").arg(info.st_uid);
    if (info.st_mode & (S_IRWXG | S_IRWXO))
        return QStringLiteral("others may enter it (mode %1)").arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return {};
}

namespace {
QString refused(const QString &path, const QString &reason)
{
    qCWarning(lcPlatform).noquote() << "runtime folder" << path << "refused -" << reason;
    return {};
}

QString runtimeDirectory()
{
    const QString path = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (path.isEmpty())
        return {};
    if (!QDir::isAbsolutePath(path))
        return refused(path, QStringLiteral("the path is relative"));
    const QString reason = whyNotPrivate(path);
    return reason.isEmpty() ? QDir::cleanPath(path) : refused(path, reason);
}

// The cache folder is the user's to make and to set right.
QString cacheFolder()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    const QString path = base + QStringLiteral("/gearconsole");
    const QByteArray encoded = QFile::encodeName(path);
    QDir().mkpath(base);
    mkdir(encoded.constData(), 0700);
    struct stat info;
    if (lstat(encoded.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid())
        chmod(encoded.constData(), 0700);
    const QString reason = whyNotPrivate(path);
    return reason.isEmpty() ? path : refused(path, reason);
}
} // namespace

QString privateRuntimeFolder()
{
    const QString runtime = runtimeDirectory();
    return runtime.isEmpty() ? cacheFolder() : runtime;
}
