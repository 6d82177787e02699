#include "widget.h"

#include "bridge/myqquickview.h"
#include "i18n/language_file.h"
#include "platform/device_monitor.h"
#include "platform/logging.h"
#include "platform/restore_request.h"
#include "save_failure_notice.h"
#include "startup_event.h"
#include "ui_controler.h"
#include "warning_boxes.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include "platform/copy_data_channel.h"

namespace {
const char kTrayMenuStyle[] =
    "QMenu { border: 1px solid rgb(100, 100, 100); background: rgb(68, 69, 73); } "
    "QMenu::item { height: 22px; padding: 0px 25px 0px 20px; } "
    "QMenu::item:enabled { color: rgb(225, 225, 225); } "
    "QMenu::item:!enabled { color: rgb(155, 155, 155); } "
    "QMenu::item:enabled:selected { color: rgb(230, 230, 230); background: rgba(255, 255, 255, 40); } "
    "QMenu::separator { height: 1px; background: rgb(100, 100, 100); } "
    "QMenu::indicator { width: 13px; height: 13px; } "
    "QMenu::icon { padding-left: 2px; padding-right: 2px; } ";
constexpr int kBalloonMs = 10000;

// The tray menu's "Show" in the UI's language (ChineseSimplified when the
// global store names none); the language file's "tray" section may replace it.
QString showText(const QString &language)
{
    const QStringList texts =
        readLanguageSection(QStringLiteral("tray"), language.isEmpty() ? QStringLiteral("ChineseSimplified") : language);
    return texts.value(0).isEmpty() ? QStringLiteral("Show") : texts.at(0);
}
} // namespace

Widget::Widget(QWidget *parent) : QWidget(parent)
{
    hid.setWindow(this);

    m_controller = new Ui_Controler(this);
    view()->device = &hid;

    deviceTimer.setInterval(kDeviceTimerMs);
    deviceTimer.setSingleShot(true);
    connect(&deviceTimer, &QTimer::timeout, this, &Widget::checkDevice);

    setupTrayIcon();
    new SaveFailureNotice(this, trayIcon,
                          [this] { return view()->getGlobalData(QStringLiteral("common/language")).toString(); });

    // Stays for the life of the process, like the device-change registration
    // of the window it replaces.
    m_warnings = new WarningBoxes(this);
    m_monitor = new DeviceMonitor(this);
    connect(m_monitor, &DeviceMonitor::deviceChanged, this, [this](DeviceMonitor::Change change) {
        if (change != DeviceMonitor::Change::Other)
            deviceTimer.start();
    });
}

Widget::~Widget()
{
    hid.stopPollingUSBVendorCmd();
    m_controller->deleteLater();
}

myQQuickView *Widget::view() const { return m_controller->view(); }

bool Widget::isGun() const { return view()->isGun; }

void Widget::setupTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    // Some tray hosts only ever open the menu: Show is the way back there.
    auto *showAction = new QAction(showText(view()->getGlobalData(QStringLiteral("common/language")).toString()), this);
    connect(showAction, &QAction::triggered, this, [this] { postRestoreRequest(this); });
    auto *quitAction = new QAction(tr("Quit (&Q)"), this);
    connect(quitAction, &QAction::triggered, this, &Widget::exitSYS);
    auto *menu = new QMenu(this);
    menu->addAction(showAction);
    menu->addAction(quitAction);
    // Styled when it first opens: a tray host that draws the menu itself
    // never needs the style, and parsing it costs memory for the whole run.
    connect(menu, &QMenu::aboutToShow, menu, [menu] {
        if (menu->styleSheet().isEmpty())
            menu->setStyleSheet(QString::fromLatin1(kTrayMenuStyle));
    });
    trayIcon->setContextMenu(menu);
    trayIcon->setToolTip(QStringLiteral("Q73M Keyboard"));
    trayIcon->setIcon(QIcon(QStringLiteral("./modules/img/logo.ico")));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &Widget::trayIconActivated);
    trayIcon->show();
}

void Widget::showDetectBalloon()
{
    qCDebug(lcShell) << "balloon Info / Detect Device";
    trayIcon->showMessage(QStringLiteral("Info"), QStringLiteral("Detect Device"), QSystemTrayIcon::Information, kBalloonMs);
}

void Widget::trayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    // StatusNotifier hosts report a click as Trigger and never a double click.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        postRestoreRequest(this);
}

void Widget::checkDevice()
{
    hid.lockForDetection();

    hid.detectDevices();
    const quint8 state = hid.connectionState();
    if (state != 0) {
        view()->clearHidBusy();
        showDetectBalloon();
        view()->setEnabled(true);
    }
    qCDebug(lcShell) << "Device Connect State" << state;

    view()->initUI();
    QCoreApplication::postEvent(this, new startupEvent);
    hid.unlockAfterDetection();
}

void Widget::exitSYS()
{
    hid.stopPollingUSBVendorCmd();
    QCoreApplication::exit(0);
}

void Widget::receiveMessage(QString) { postRestoreRequest(this); }

void Widget::customEvent(QEvent *event)
{
    if (event->type() == startupEvent::kType && static_cast<startupEvent *>(event)->code == startupEvent::kCode)
        view()->runUI();
}

void Widget::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_controller->onClose();
}

void Widget::hideEvent(QHideEvent *event)
{
    // A minimised window stays visible to Qt; a hidden one (the close
    // button, the tray) does not.
    if (!isVisible())
        view()->endCaptureListening();
    QWidget::hideEvent(event);
}

bool Widget::event(QEvent *event)
{
    if (event->type() == RestoreRequestEvent::eventType()) {
        restoreWindow(this);
        return true;
    }
    return QWidget::event(event);
}

void Widget::keyboardCaptured(quint8 code, bool isDown, void *context)
{
    if (auto *window = static_cast<Widget *>(context))
        window->view()->detectKeyboard(code, isDown);
}

void Widget::mouseCaptured(quint8 code, bool isDown, int x, int y, void *context)
{
    if (auto *window = static_cast<Widget *>(context))
        window->view()->detectMouse(code, isDown, x, y);
}

void Widget::messageCaptured(const CopyDataMessage &payload, void *context)
{
    auto *window = static_cast<Widget *>(context);
    const std::optional<QString> text = warningTextOf(payload);
    if (window && text)
        window->m_warnings->show(window->windowTitle(), *text);
}
