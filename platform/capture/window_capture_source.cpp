#include "window_capture_source.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
constexpr int kEvdevOffset = 8;  // Qt's native scan code is the X/evdev keycode

int xButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 0;
    }
}
} // namespace

WindowCaptureSource::WindowCaptureSource(CaptureSink &sink, QObject *parent) : CaptureSource(parent), m_sink(sink) {}

void WindowCaptureSource::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
    m_translation = KeyTranslation();
}

bool WindowCaptureSource::eventFilter(QObject *watched, QEvent *event)
{
    // Events reach a window and then its widgets; take each once, at the
    // window. The Qt Quick view inside the widget window hands them on to a
    // window of its own, which is never shown: not that one again.
    auto *window = qobject_cast<QWindow *>(watched);
    if (!window || !window->isVisible())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat() && key->nativeScanCode() > kEvdevOffset)
            m_translation.key(int(key->nativeScanCode()) - kEvdevOffset, event->type() == QEvent::KeyPress, m_sink);
        break;
    }
    case QEvent::FocusOut:
        m_translation = KeyTranslation();
        m_sink.keysLost();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->globalPosition().toPoint();
        KeyTranslation::button(xButton(mouse->button()), event->type() == QEvent::MouseButtonPress, at.x(), at.y(), m_sink);
        break;
    }
    default:
        break;
    }
    return false;
}
