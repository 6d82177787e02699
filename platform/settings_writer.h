#pragma once
#include "settings_format.h"
#include "settings_guard.h"
#include <QSettings>

// Writing settings files so that a full disk never leaves one short.
//
// QSettings replaces its file by a temporary copy, but does not notice when
// the last part of that copy failed to reach the disk: the file it leaves can
// be shorter than what it holds, even empty. writeSettings() keeps the
// previous file under a second name (a hard link, which takes no room)
// while QSettings writes, then checks what it wrote: a refused write, or a
// file missing lines or its end, puts the previous file back and reports
// the failure to SaveFailures. The file's format is the settings library's
// INI text (settingsFormat()).

// Writes what `settings` (and every other settings object of its file in
// this process) holds but has not written yet. False when it was not saved.
bool writeSettings(QSettings &settings);

// A settings file kept open for the life of the program. Its automatic
// writes and the one when it is destroyed go through writeSettings().
class SettingsStore : public QSettings
{
public:
    // `factoryFile`: what the store starts from when its own file cannot be
    // read and is put aside (setAsideIfUnreadable).
    explicit SettingsStore(const QString &fileName, const QString &factoryFile = {})
        : QSettings(guarded(fileName, factoryFile), settingsFormat())
    {
    }
    ~SettingsStore() override;

protected:
    bool event(QEvent *event) override;

private:
    // The store always opens its own file: one that could not be put aside
    // is not read nor written over.
    static QString guarded(const QString &fileName, const QString &factoryFile)
    {
        setAsideIfUnreadable(fileName, factoryFile);
        return fileName;
    }
};
