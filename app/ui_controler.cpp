#include "ui_controler.h"

#include "bridge/myqquickview.h"
#include "platform/logging.h"
#include "widget.h"

#include <QQmlContext>
#include <QSystemTrayIcon>
#include <QWindow>
#include <QUrl>

Ui_Controler::Ui_Controler(Widget *window) : QObject(nullptr), m_window(window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("Widget"));

    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    window->setWindowOpacity(1.0);
    window->setAttribute(Qt::WA_TranslucentBackground);
    // Only the window itself: a rule without a selector would reach every
    // dialog parented to the view and leave it transparent.
    window->setStyleSheet(QStringLiteral("Widget { background: transparent; }"));

    m_view = new myQQuickView(window);
    m_view->setObjectName(QStringLiteral("ui_View"));
    // A view inside a translucent window must clear to transparent itself.
    m_view->setClearColor(Qt::transparent);
    m_view->setAttribute(Qt::WA_AlwaysStackOnTop);
    m_view->setSource(QUrl(QStringLiteral("qrc:modules/qml/main.qml")));
    // The program carries the documents' compiled units only; a Qt release
    // that refuses them leaves nothing to show, and the log says why.
    if (m_view->status() == QQuickWidget::Error)
        qCCritical(lcShell) << "the window's documents could not be loaded:" << m_view->errors();

    QQmlContext *context = m_view->rootContext();
    context->setContextProperty(QStringLiteral("ui_View"), m_view);
    context->setContextProperty(QStringLiteral("hid"), &window->device());
    context->setContextProperty(QStringLiteral("ui_Ctl"), this);

    window->resize(m_view->size());
    window->setWindowTitle(QStringLiteral("VORTAN KELD SOFTWARE"));
}

void Ui_Controler::onMinimize() { m_window->showMinimized(); }

// Without a tray nothing could bring a hidden window back, nor end the
// program: closing then minimises (the taskbar and a second start still find
// the window) and the help menu offers Quit.
void Ui_Controler::onClose()
{
    m_view->endCaptureListening();
    if (hasTray())
        m_window->hide();
    else
        m_window->showMinimized();
}

void Ui_Controler::onXChanged(int x) { m_window->move(m_window->x() + x, m_window->y()); }

void Ui_Controler::onYChanged(int y) { m_window->move(m_window->x(), m_window->y() + y); }

void Ui_Controler::setBusy(int busyTime) { m_view->setBusy(busyTime); }

void Ui_Controler::setBusy() { setBusy(0); }

bool Ui_Controler::startSystemMove()
{
    QWindow *handle = m_window->windowHandle();
    const bool started = handle && handle->startSystemMove();
    if (!started)
        qCDebug(lcShell) << "window system move not available: moving by offsets";
    return started;
}

std::function<bool()> Ui_Controler::trayCheck = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

bool Ui_Controler::hasTray() { return trayCheck(); }

void Ui_Controler::quit() { m_window->exitSYS(); }
