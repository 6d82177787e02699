#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;
class QSystemTrayIcon;
class QWidget;

// Tells the user that a file was not saved (see SaveFailures): a balloon of
// the tray icon where the desktop has a tray, otherwise a warning box over
// the window that does not block it. One box at a time shows the latest
// failure. Texts come from the "notices" section of the language file.
class SaveFailureNotice : public QObject
{
public:
    SaveFailureNotice(QWidget *window, QSystemTrayIcon *tray, std::function<QString()> languageCode);

    static constexpr int kBalloonMs = 10000;

private:
    void show(const QString &file, const QString &reason);

    QWidget *m_window;
    QSystemTrayIcon *m_tray;
    std::function<QString()> m_languageCode;
    QPointer<QMessageBox> m_box;
};
