#pragma once
#include <QEvent>

// Posted by the main window to itself after each device detection; when the
// event loop delivers it, the UI is run. Type 1000 (the first user type).
class startupEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = QEvent::User;
    static constexpr int kCode = 2177;

    explicit startupEvent(int code = kCode) : QEvent(kType), code(code) {}
    int code;
};
