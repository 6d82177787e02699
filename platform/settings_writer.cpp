#include "settings_writer.h"

#include "safe_file.h"
#include "save_failures.h"

#include <QEvent>
#include <QFile>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kPreviousSuffix[] = ".previous";
static_assert(sizeof(kPreviousSuffix) - 1 <= kWriterNameRoom, "the previous file's name needs more room");

struct FileIdentity
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
};

FileIdentity identityOf(const QByteArray &path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino};
}

// What QSettings writes has one line per key, a "[section]" line per group
// and blank lines between groups, and ends with a line break. A file cut
// short lacks keys or its last line break.
bool holdsEveryKey(const QString &path, int keyCount)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    if (text.isEmpty())
        return keyCount == 0;
    if (!text.endsWith('\n'))
        return false;
    int keyLines = 0;
    for (const QByteArray &line : text.split('\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith('['))
            ++keyLines;
    }
    return keyLines == keyCount;
}

} // namespace

bool writeSettings(QSettings &settings)
{
    const QString file = followedLink(settings.fileName());
    const QByteArray path = QFile::encodeName(file);
    const QByteArray previous = path + kPreviousSuffix;
    const FileIdentity before = identityOf(path);
    ::unlink(previous.constData());  // left by a run that ended midway
    const bool kept = before.exists && ::link(path.constData(), previous.constData()) == 0;

    // A fresh object on the same file shares the pending changes of every
    // other one and starts with a clean status (a settings object keeps its
    // first error for good); creating it writes them.
    QSettings writer(settings.fileName(), settings.format());
    const bool unreadable = takeRefusedWrite(settings.fileName());
    const bool refused = writer.status() == QSettings::AccessError || unreadable;
    const int keyCount = int(writer.allKeys().size());
    // Clears the caller's own pending flag, so it does not write again,
    // unguarded, when it is destroyed.
    settings.sync();

    const FileIdentity after = identityOf(path);
    const bool rewritten = after.exists && (!before.exists || after.inode != before.inode || after.device != before.device);
    const bool whole = rewritten && holdsEveryKey(file, keyCount);
    if (rewritten ? whole : !refused) {
        ::unlink(previous.constData());
        return true;
    }
    QString reason = unreadable ? QStringLiteral("it cannot be read, so it is not written over")
                                : QStringLiteral("the file could not be written");
    if (rewritten) {
        reason = QStringLiteral("the new contents did not reach the disk whole (is the disk full?)");
        if (kept)
            ::rename(previous.constData(), path.constData());
        else if (!before.exists)
            ::unlink(path.constData());
        else
            reason += QStringLiteral("; the previous contents could not be kept");
        // QSettings took the short file as saved; reading the file again
        // brings back what it holds now.
        settings.sync();
    }
    ::unlink(previous.constData());
    SaveFailures::instance().report(file, reason);
    return false;
}

SettingsStore::~SettingsStore() { writeSettings(*this); }

bool SettingsStore::event(QEvent *event)
{
    if (event->type() == QEvent::UpdateRequest) {
        writeSettings(*this);
        return true;
    }
    return QSettings::event(event);
}
