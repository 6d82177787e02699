// myQQuickView: whole-file operations on the stores: reset of the global
// store, import, export, factory reset and copy of profiles.
//
// A store is replaced by copying the new contents through a temporary file
// that is renamed over the old one; when that fails (a full disk among
// others) the old file and the old store stay, so a failed copy never loses
// a profile, and the failure is reported to the user.
#include "myqquickview.h"

#include "file_dialogs.h"
#include "macros/name_list.h"
#include "platform/logging.h"
#include "platform/safe_file.h"
#include "platform/save_failures.h"
#include "platform/settings_writer.h"
#include "platform/store_files.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

QString profileFilter() { return myQQuickView::tr("Profile(*.pf)"); }

// Why a chosen file cannot become a profile: it cannot be read, or holds no
// settings at all (an empty file, or one with no "key=value" line), which no
// exported profile is. Empty when it can.
QString profileImportProblem(const QString &source)
{
    if (!QFileInfo::exists(source))
        return QStringLiteral("it does not exist");
    if (const QString reason = unreadableSettingsReason(source); !reason.isEmpty())
        return reason;
    if (QSettings(source, settingsFormat()).allKeys().isEmpty())
        return QStringLiteral("it holds no settings");
    return {};
}

// The keyboard's profile list names each profile, its number as the entry's
// last character; an export proposes that name.
QString profileName(int profile)
{
    const QString number = QString::number(profile);
    const QStringList entries =
        NameList::read(QStringLiteral("./modules/setting/name.bin"), NameList::key(NameList::Profiles, 0));
    for (const QString &entry : entries) {
        if (entry.size() > 1 && entry != QLatin1String(kNameListSentinel) && entry.endsWith(number))
            return entry.chopped(1);
    }
    return QStringLiteral("profile_") + number;
}
} // namespace

bool myQQuickView::replaceStore(QSettings *&store, const QString &sourceFile, QString *error)
{
    if (const QString reason = unreadableSettingsReason(sourceFile); !reason.isEmpty()) {
        *error = QStringLiteral("%1 cannot be read: %2").arg(sourceFile, reason);
        return false;
    }
    const QString fileName = store->fileName();
    // Pending values go to the old file now; otherwise the old store would
    // write them over the new file when it is destroyed. When they cannot
    // be written, the new file cannot be either.
    if (!writeSettings(*store)) {
        *error = QStringLiteral("%1 could not be saved first").arg(fileName);
        return false;
    }
    const QDateTime oldStamp = QFileInfo(fileName).lastModified();
    if (!replaceWithCopy(sourceFile, fileName, error))
        return false;
    // Settings objects of one file share a cache that is read again only
    // when the file's size or time changed; a copy of the same size made
    // within the same millisecond must still be seen.
    QFile replaced(fileName);
    if (QFileInfo(fileName).lastModified() <= oldStamp && replaced.open(QIODevice::ReadWrite))
        replaced.setFileTime(oldStamp.addSecs(1), QFileDevice::FileModificationTime);
    replaced.close();
    store->deleteLater();
    store = new SettingsStore(fileName);
    return true;
}

bool myQQuickView::replaceStore(QSettings *&store, const QString &sourceFile)
{
    QString error;
    if (replaceStore(store, sourceFile, &error))
        return true;
    SaveFailures::instance().report(store->fileName(), error);
    return false;
}

// Only the store is replaced: the device table and the flags read at start
// keep their values until the program starts again.
void myQQuickView::resetApconfig() { replaceStore(globalStore, StoreFiles::factoryGlobal()); }

bool myQQuickView::loadProfile(int profile)
{
    if (!isProfileNumber(profile)) {
        qCWarning(lcBridge) << "no profile" << profile << "to import into";
        return false;
    }
    const QString chosen = FileDialogs::current().openFileName(this, tr("Open File"), desktopDirectory(), profileFilter());
    if (chosen.isEmpty())
        return false;
    QString problem = profileImportProblem(chosen);
    if (problem.isEmpty() && replaceStore(profileStore(profile), chosen, &problem))
        return true;
    SaveFailures::instance().reportNotImported(chosen, problem);
    return false;
}

void myQQuickView::saveProfile(int profile)
{
    if (!isProfileNumber(profile)) {
        qCWarning(lcBridge) << "no profile" << profile << "to export";
        return;
    }
    const QString chosen = withFilterSuffix(
        FileDialogs::current().saveFileName(this, tr("Save File"), proposedSavePath(profileName(profile), profileFilter()),
                                            profileFilter()),
        profileFilter());
    if (chosen.isEmpty())
        return;
    // The export names the profile's file by number; what the store still
    // holds in memory is written to it first.
    writeSettings(*profileStore(profile));
    const QString source = StoreFiles::profile(profile + 1);
    QString error;
    if (!replaceWithCopy(source, chosen, &error))
        SaveFailures::instance().report(chosen, error);
}

void myQQuickView::resetProfile(int profile)
{
    if (!isProfileNumber(profile)) {
        qCWarning(lcBridge) << "no profile" << profile << "to reset";
        return;
    }
    replaceStore(profileStore(profile), StoreFiles::defaults());
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    if (!isProfileNumber(destprofile) || !isProfileNumber(srcprofile) || destprofile == srcprofile) {
        qCWarning(lcBridge) << "profile" << srcprofile << "not copied to" << destprofile;
        return;
    }
    writeSettings(*profileStore(srcprofile));
    replaceStore(profileStore(destprofile), profileStore(srcprofile)->fileName());
}
