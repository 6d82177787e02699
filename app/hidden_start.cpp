#include "hidden_start.h"

#include "platform/logging.h"
#include "widget.h"

#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
constexpr int kTrayWaitMs = 10000;
constexpr int kTrayCheckMs = 500;
} // namespace

void stayHiddenInTray(Widget &window)
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return;
    qCInfo(lcShell) << "no system tray yet: waiting up to" << kTrayWaitMs / 1000 << "s for one";
    auto *check = new QTimer(&window);
    QElapsedTimer waited;
    waited.start();
    check->setInterval(kTrayCheckMs);
    QObject::connect(check, &QTimer::timeout, &window, [check, waited, &window] {
        const bool trayCame = QSystemTrayIcon::isSystemTrayAvailable();
        if (!trayCame && waited.elapsed() < kTrayWaitMs)
            return;
        if (trayCame) {
            qCInfo(lcShell) << "system tray available: the window stays hidden";
        } else {
            qCInfo(lcShell) << "no system tray: showing the window although started with --hidden";
            window.showNormal();
        }
        check->deleteLater();
    });
    check->start();
}
