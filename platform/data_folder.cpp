#include "data_folder.h"

#include "logging.h"
#include "safe_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

// Installed layout, relative to the folder of the executables; the build
// passes the real ones.
#ifndef GEARCONSOLE_DATA_FROM_BIN
#define GEARCONSOLE_DATA_FROM_BIN "../share/gearconsole"
#endif
#ifndef GEARCONSOLE_UPDATE_FROM_BIN
#define GEARCONSOLE_UPDATE_FROM_BIN "../libexec/gearconsole/update"
#endif

namespace {

const QString kBesideUpdater = QStringLiteral("./update");
const QString kFolderName = QStringLiteral("gearconsole");
const QString kModules = QStringLiteral("modules");

bool writableByAccess(const QString &folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

QString resolved(const QString &folder, const QString &relative)
{
    return QDir::cleanPath(QDir(folder).absoluteFilePath(relative));
}

// The user folder is used only when it is a real folder of this user that he
// can write; anything else (a file, another user's folder) is left alone.
bool prepareUserFolder(const QString &dataHome, const QString &folder, QString *why)
{
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome)) {
        *why = QStringLiteral("no absolute data home");
        return false;
    }
    const QFileInfo info(folder);
    if (!info.exists() && !info.isSymLink()) {
        if (!QDir().mkpath(dataHome) || ::mkdir(QFile::encodeName(folder).constData(), 0700) != 0) {
            *why = QStringLiteral("cannot create %1").arg(folder);
            return false;
        }
        return true;
    }
    if (!info.isDir()) {
        *why = QStringLiteral("%1 is not a folder").arg(folder);
        return false;
    }
    if (info.ownerId() != uint(::geteuid())) {
        *why = QStringLiteral("%1 belongs to another user").arg(folder);
        return false;
    }
    if (!writableByAccess(folder)) {
        *why = QStringLiteral("%1 is not writable").arg(folder);
        return false;
    }
    return true;
}

} // namespace

namespace DataFolder {

SeedResult seedMissingFiles(const QString &from, const QString &to)
{
    SeedResult result;
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        const QFileInfo present(target);
        if (present.exists() || present.isSymLink()) {
            ++result.kept;
            continue;
        }
        // A copy cut short by a full disk is not left behind (it would be
        // kept as the user's from then on); the next start tries again.
        // Installed files may be read-only; the user's copy must take his
        // changes, which copyToNewFile gives it.
        QString error;
        if (!QDir().mkpath(present.absolutePath()) || !copyToNewFile(file, target, &error)) {
            qCWarning(lcPlatform).noquote() << "cannot copy" << file << "to" << target << error;
            ++result.failed;
            continue;
        }
        ++result.copied;
    }
    return result;
}

DataFolderInputs inputsFromEnvironment(const QString &programFolder)
{
    DataFolderInputs inputs;
    inputs.programFolder = programFolder;
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    const QString xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    inputs.dataHome = QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome
                                                        : QDir::homePath() + QStringLiteral("/.local/share");
    inputs.isWritable = writableByAccess;
    return inputs;
}

QString shippedModulesFolder(const QString &programFolder)
{
    for (const QString &candidate : {resolved(programFolder, kModules),
                                     resolved(programFolder, QStringLiteral(GEARCONSOLE_DATA_FROM_BIN "/modules"))}) {
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return {};
}

DataFolderChoice choose(const DataFolderInputs &inputs)
{
    const QString program = QDir::cleanPath(QDir(inputs.programFolder).absolutePath());
    DataFolderChoice choice;
    choice.workingFolder = program;
    choice.updaterFolder = kBesideUpdater;

    const QString shipped = shippedModulesFolder(program);
    if (shipped.isEmpty()) {
        choice.reason = QStringLiteral("program folder; no data beside it nor installed");
        return choice;
    }
    const bool beside = shipped == resolved(program, kModules);
    if (beside && inputs.isWritable(program)) {
        choice.reason = QStringLiteral("program folder");
        return choice;
    }
    choice.updaterFolder = beside ? resolved(program, QStringLiteral("update"))
                                  : resolved(program, QStringLiteral(GEARCONSOLE_UPDATE_FROM_BIN));

    const QString user = QDir::cleanPath(inputs.dataHome + QLatin1Char('/') + kFolderName);
    QString why;
    if (!prepareUserFolder(inputs.dataHome, user, &why)) {
        // The shipped data still lets the program run with the factory
        // settings; its writes fail there, and nothing of the user's is touched.
        choice.kind = DataFolderChoice::Kind::ShippedData;
        choice.workingFolder = QFileInfo(shipped).path();
        choice.reason = QStringLiteral("shipped data, read only: %1").arg(why);
        return choice;
    }
    const SeedResult seeded = seedMissingFiles(shipped, user + QLatin1Char('/') + kModules);
    choice.kind = DataFolderChoice::Kind::UserFolder;
    choice.workingFolder = user;
    choice.reason = QStringLiteral("user data folder; %1 file(s) copied from %2, %3 kept, %4 failed")
                        .arg(seeded.copied).arg(shipped).arg(seeded.kept).arg(seeded.failed);
    return choice;
}

// The choice of this process, made once.
static DataFolderChoice &processChoice()
{
    static DataFolderChoice choice;
    return choice;
}
static bool &processChosen()
{
    static bool chosen = false;
    return chosen;
}

QString workingFolderFor(const QString &programFolder)
{
    if (!processChosen()) {
        processChoice() = choose(inputsFromEnvironment(programFolder));
        processChosen() = true;
        const DataFolderChoice &choice = processChoice();
        if (choice.kind == DataFolderChoice::Kind::ShippedData)
            qCWarning(lcPlatform).noquote() << "data folder" << choice.workingFolder << "-" << choice.reason;
        else
            qCInfo(lcPlatform).noquote() << "data folder" << choice.workingFolder << "-" << choice.reason;
    }
    return processChoice().workingFolder;
}

QString updaterFolder() { return processChosen() ? processChoice().updaterFolder : kBesideUpdater; }

} // namespace DataFolder
