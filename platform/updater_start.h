#pragma once
// Starting a firmware-update program of the updater folder. The updater table names them
// "<edition>.exe"; on Linux they are installed without the suffix, and either form is
// started, detached (quitting the program never interrupts a flash), in its own folder,
// with the UI's language in GEARCONSOLE_LANGUAGE (an updater takes no arguments). One that
// cannot be started is logged and reported through notStarted(), which the main window
// turns into a notice.
#include <QObject>
#include <QString>

class UpdaterStart : public QObject
{
    Q_OBJECT

public:
    static UpdaterStart &instance();

    bool start(const QString &folder, const QString &tableName, const QString &language);

signals:
    // The program's name (without ".exe", as a Linux user knows it) and why it did not start.
    void notStarted(const QString &program, const QString &reason);

private:
    UpdaterStart() = default;
};
