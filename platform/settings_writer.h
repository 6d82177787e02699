#pragma once
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
// the failure to SaveFailures. The file's format stays QSettings' own INI.

// Writes what `settings` (and every other settings object of its file in
// this process) holds but has not written yet. False when it was not saved.
bool writeSettings(QSettings &settings);

// A settings file kept open for the life of the program. Its automatic
// writes and the one when it is destroyed go through writeSettings().
class SettingsStore : public QSettings
{
public:
    // `factoryFile`: what the store starts from when its own file is put aside.
    explicit SettingsStore(const QString &fileName, const QString &factoryFile = {})
        : QSettings(setAsideIfSerialized(fileName, factoryFile), QSettings::IniFormat)
    {
    }
    ~SettingsStore() override;

protected:
    bool event(QEvent *event) override;
};
