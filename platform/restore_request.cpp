#include "restore_request.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

QEvent::Type RestoreRequestEvent::eventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

RestoreRequestEvent::RestoreRequestEvent() : QEvent(eventType()) {}

void postRestoreRequest(QWidget *window) { QCoreApplication::postEvent(window, new RestoreRequestEvent); }

void restoreWindow(QWidget *window)
{
    // A Wayland client cannot take its window out of the minimised state:
    // xdg-shell has no request for it, clearing the state sends nothing, and
    // the client is not even told that it was minimised (the compositor
    // only stops calling it active). Mapped anew, as a hidden window is, an
    // inactive window comes back as a new toplevel in front.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && window->isVisible()
        && !window->isActiveWindow())
        window->hide();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->setVisible(true);
    window->raise();
    window->activateWindow();
}
