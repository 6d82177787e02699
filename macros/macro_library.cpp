#include "macro_library.h"

#include "platform/safe_file.h"
#include "platform/save_failures.h"
#include "platform/settings_writer.h"
#include "safe_name.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kConfigIndex = QStringLiteral("config/index");
const QString kConfigTotal = QStringLiteral("config/total");
const QString kConfigRepeat = QStringLiteral("config/repeat");
const QString kConfigDelay = QStringLiteral("config/delay");
const QString kConfigTimes = QStringLiteral("config/times");
const QString kStepGroup = QStringLiteral("macro");

QString stepKey(int i) { return kStepGroup + QLatin1Char('/') + QString::number(i); }

bool usable(const QString &name) { return unsafeNameReason(name).isEmpty(); }

// Forces the settings object to its file now, so that a failed write is
// seen by the caller and the file is never left short.
bool written(QSettings &file) { return writeSettings(file); }
} // namespace

MacroLibrary::MacroLibrary(QString folder) : m_folder(std::move(folder))
{
    if (!m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
}

MacroLibrary MacroLibrary::forDevice(const QVariant &deviceNo, const QString &modulesFolder)
{
    const bool mouse = deviceNo.toInt() == 1;
    return MacroLibrary(modulesFolder + (mouse ? QStringLiteral("/macro1/") : QStringLiteral("/macro/")));
}

QString MacroLibrary::pathOf(const QString &name) const { return m_folder + name + QStringLiteral(".bin"); }

bool MacroLibrary::hasFile(const QString &name) const { return usable(name) && QFile::exists(pathOf(name)); }

bool MacroLibrary::exists(const QString &name) const { return hasFile(name) && problemOf(name).isEmpty(); }

QString MacroLibrary::problemOf(const QString &name) const
{
    if (!QFile::exists(pathOf(name)))
        return QStringLiteral("the macro's file is missing");
    return unreadableSettingsReason(pathOf(name));
}

bool MacroLibrary::create(const QString &name)
{
    // Settings merge with a file already there, which must be readable.
    if (!usable(name) || !unreadableSettingsReason(pathOf(name)).isEmpty())
        return false;
    if (!QDir().mkpath(m_folder)) {
        SaveFailures::instance().report(pathOf(name), QStringLiteral("its folder cannot be created"));
        return false;
    }
    QSettings file(pathOf(name), settingsFormat());
    file.setValue(kConfigIndex, 0);
    file.setValue(kConfigTotal, 0);
    file.setValue(kConfigRepeat, 1);
    file.setValue(kConfigDelay, 1);
    file.setValue(kConfigTimes, 1);
    return written(file);
}

bool MacroLibrary::save(const QString &name, const QStringList &actionLines, int repeat, int delay, int times)
{
    if (!exists(name))
        return false;
    QSettings file(pathOf(name), settingsFormat());
    file.remove(kStepGroup);
    file.setValue(kConfigTotal, int(actionLines.size()));
    file.setValue(kConfigRepeat, repeat);
    file.setValue(kConfigDelay, delay);
    file.setValue(kConfigTimes, times);
    // A line holds commas, so the settings library writes it in quotes.
    for (int i = 0; i < actionLines.size(); ++i)
        file.setValue(stepKey(i), actionLines.at(i));
    return written(file);
}

QStringList MacroLibrary::load(const QString &name) const
{
    if (!exists(name))
        return {};
    const QSettings file(pathOf(name), settingsFormat());
    const int total = qBound(0, file.value(kConfigTotal, 0).toInt(), kMaxSteps);
    QStringList result;
    for (int i = 0; i < total; ++i)
        result.append(actionLineText(file.value(stepKey(i), QStringLiteral("0"))));
    for (const QString &key : {kConfigRepeat, kConfigDelay, kConfigTimes})
        result.append(file.value(key, QStringLiteral("0")).toString());
    return result;
}

// Renaming and removing need no reading: a macro whose file cannot be read
// can still be renamed or deleted.
bool MacroLibrary::rename(const QString &oldName, const QString &newName)
{
    if (!hasFile(oldName) || !usable(newName))
        return false;
    // QFile::rename refuses an existing target, so no macro is overwritten.
    return QFile::rename(pathOf(oldName), pathOf(newName));
}

bool MacroLibrary::remove(const QString &name) { return hasFile(name) && QFile::remove(pathOf(name)); }

QString MacroLibrary::importProblem(const QString &source)
{
    const QFileInfo info(source);
    if (!info.exists())
        return QStringLiteral("it does not exist");
    if (const QString reason = unreadableSettingsReason(source); !reason.isEmpty())
        return reason;
    const QSettings file(source, settingsFormat());
    bool isNumber = false;
    const int total = file.value(kConfigTotal).toString().trimmed().toInt(&isNumber);
    if (!isNumber || total < 0)
        return QStringLiteral("it holds no macro (no step count in group \"config\")");
    return {};
}

MacroLibrary::ImportResult MacroLibrary::importFile(const QString &source, const QString &name, QString *error)
{
    if (!usable(name)) {
        if (error)
            *error = unsafeNameReason(name);
        return ImportResult::Failed;
    }
    if (const QString problem = importProblem(source); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return ImportResult::Failed;
    }
    if (QFile::exists(pathOf(name)))
        return ImportResult::NameTaken;
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(m_folder);
        return ImportResult::Failed;
    }
    // The copy keeps the source's permissions, plus the owner's reading and
    // writing: a read-only export file must still give a macro the editor
    // can save.
    return copyToNewFile(source, pathOf(name), error) ? ImportResult::Copied : ImportResult::Failed;
}

bool MacroLibrary::exportFile(const QString &name, const QString &target, QString *error) const
{
    if (!exists(name)) {
        if (error)
            *error = QStringLiteral("no macro file %1").arg(pathOf(name));
        return false;
    }
    return replaceWithCopy(pathOf(name), target, error);
}

QString actionLineText(const QVariant &stored)
{
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QLatin1Char(','));
    return stored.toString();
}
