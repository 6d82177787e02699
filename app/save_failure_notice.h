#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;
class QSystemTrayIcon;
class QWidget;

// Tells the user that a file was not saved, that a store's file could not be
// read, that a chosen file was not imported (see SaveFailures), or that a
// firmware-update program could not be started (UpdaterStart): a balloon of the tray icon where the desktop has
// a tray, otherwise a warning box over the window that does not block it. One
// box at a time shows the latest notice. Texts come from the "notices"
// section of the language file.
class SaveFailureNotice : public QObject
{
public:
    SaveFailureNotice(QWidget *window, QSystemTrayIcon *tray, std::function<QString()> languageCode);

    static constexpr int kBalloonMs = 10000;

private:
    void showNotSaved(const QString &file, const QString &reason);
    void showPutAside(const QString &file, const QString &aside, const QString &reason);
    void showNotImported(const QString &file, const QString &reason);
    // The title and text at `first` of the notices section, English where the
    // language file lacks them.
    QStringList texts(int first) const;
    void tell(const QString &title, const QString &text);

    QWidget *m_window;
    QSystemTrayIcon *m_tray;
    std::function<QString()> m_languageCode;
    QPointer<QMessageBox> m_box;
};
