#include "settings_guard.h"

#include "logging.h"
#include "safe_file.h"
#include "save_failures.h"
#include "settings_format.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

namespace {

constexpr int kMaxAsideCopies = 1000;

QString asideName(const QString &path, int number)
{
    const QString first = path + QStringLiteral(".refused");
    return number == 1 ? first : first + QLatin1Char('.') + QString::number(number);
}

bool isTaken(const QString &name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

// Renames the file to the first free aside name; empty when it could not.
QString putAside(const QString &path)
{
    for (int number = 1; number <= kMaxAsideCopies; ++number) {
        const QString aside = asideName(path, number);
        if (isTaken(aside))
            continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
    return {};
}

// A file that stays unread is told once per run, however often it is opened.
bool firstTimeTold(const QString &path)
{
    static QMutex lock;
    static QSet<QString> told;
    QMutexLocker locker(&lock);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (told.contains(absolute))
        return false;
    told.insert(absolute);
    return true;
}

} // namespace

QString setAsideIfUnreadable(const QString &path, const QString &factoryFile)
{
    const QString reason = unreadableSettingsReason(path);
    if (reason.isEmpty())
        return path;
    const QString aside = putAside(path);
    bool restored = false;
    if (aside.isEmpty()) {
        qCWarning(lcPlatform).noquote() << "not read:" << path << "-" << reason
                                        << "- it could not be put aside and stays as it is, unread";
        if (firstTimeTold(path))
            SaveFailures::instance().reportPutAside(path, QString(), reason);
    } else {
        // Without its factory copy the global store would lose the device
        // table for good once it writes itself back, and a profile its
        // whole contents.
        QString error;
        restored = !factoryFile.isEmpty() && unreadableSettingsReason(factoryFile).isEmpty()
                   && replaceWithCopy(factoryFile, path, &error);
        qCWarning(lcPlatform).noquote() << "not read:" << path << "-" << reason << "- put aside as" << aside
                                        << "- the store starts"
                                        << (restored ? "from " + factoryFile : QStringLiteral("empty ") + error);
        SaveFailures::instance().reportPutAside(path, aside, reason);
    }
    return restored || factoryFile.isEmpty() ? path : factoryFile;
}
