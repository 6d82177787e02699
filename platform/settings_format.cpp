#include "settings_format.h"

#include "ini_text.h"
#include "logging.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

namespace {

QMutex refusedLock;
QSet<QString> refusedWrites;

QString nameOf(const QIODevice &device)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    return file ? file->fileName() : QString();
}

QString tooLarge(qint64 size)
{
    return QStringLiteral("it is larger (%1 bytes) than any settings file the program writes").arg(size);
}

bool readSettingsText(QIODevice &device, QSettings::SettingsMap &map)
{
    if (device.size() > kMaxSettingsFileSize) {
        qCWarning(lcPlatform).noquote() << "not read:" << nameOf(device) << "-" << tooLarge(device.size());
        return false;
    }
    const IniText::Reading reading = IniText::read(device.readAll());
    if (reading.skippedLines > 0)
        qCInfo(lcPlatform).noquote() << nameOf(device) << "- skipped" << reading.skippedLines
                                     << "lines that are neither a section nor a key";
    if (reading.keptAsText > 0)
        qCInfo(lcPlatform).noquote() << nameOf(device) << "-" << reading.keptAsText
                                     << "serialized values of a kind the program does not store, kept as text";
    map = reading.values;
    return true;
}

bool writeSettingsText(QIODevice &device, const QSettings::SettingsMap &map)
{
    // The library writes a temporary file and renames it over the file; a
    // file too large to be read is not replaced by what was read of it
    // (nothing).
    const QString target = nameOf(device);
    const QFileInfo existing(target);
    if (existing.exists() && existing.size() > kMaxSettingsFileSize) {
        qCWarning(lcPlatform).noquote() << "not written over:" << target << "-" << tooLarge(existing.size());
        QMutexLocker locker(&refusedLock);
        refusedWrites.insert(existing.absoluteFilePath());
        return false;
    }
    int unwritable = 0;
    const QByteArray text = IniText::write(map, &unwritable);
    if (unwritable > 0)
        qCWarning(lcPlatform).noquote() << target << "-" << unwritable
                                        << "values of a kind a settings file cannot hold, written as @Invalid()";
    return device.write(text) == text.size();
}

} // namespace

QSettings::Format settingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readSettingsText, writeSettingsText, Qt::CaseSensitive);
    return format;
}

QString unreadableSettingsReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (info.size() > kMaxSettingsFileSize)
        return tooLarge(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it cannot be opened (%1)").arg(file.errorString());
    return {};
}

bool takeRefusedWrite(const QString &path)
{
    QMutexLocker locker(&refusedLock);
    return refusedWrites.remove(QFileInfo(path).absoluteFilePath());
}
