#pragma once
#include <QEvent>

class QWidget;

// The request to show a window again. It is posted, never sent: the window
// becomes visible when the event loop delivers it, as a restore system
// command would make it on the desktop it was written for.
class RestoreRequestEvent : public QEvent
{
public:
    RestoreRequestEvent();
    static QEvent::Type eventType();
};

void postRestoreRequest(QWidget *window);
// Shows, un-minimises and raises the window.
void restoreWindow(QWidget *window);
