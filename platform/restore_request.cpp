#include "restore_request.h"

#include <QCoreApplication>
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
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->setVisible(true);
    window->raise();
    window->activateWindow();
}
