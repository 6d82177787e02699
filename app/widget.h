#pragma once
#include "device/hid_thread.h"
#include "device/main_window_link.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

struct CopyDataMessage;
class DeviceMonitor;
class Ui_Controler;
class WarningBoxes;
class myQQuickView;

// The frameless main window: parent of the whole UI, owner of the device
// object, the device timer and the tray icon. Closing it, from the UI or the
// window manager, only hides it; the program ends from the tray menu.
class Widget : public QWidget, public MainWindowLink
{
    Q_OBJECT

public:
    static constexpr int kDeviceTimerMs = 2048;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    Hid_Thread &device() { return hid; }
    myQQuickView *view() const;
    Ui_Controler *controller() const { return m_controller; }
    DeviceMonitor *deviceMonitor() const { return m_monitor; }
    QTimer &deviceTimerForTests() { return deviceTimer; }

    bool isGun() const override;

    // Registered with the capture unit: forward captured input to the view.
    static void keyboardCaptured(quint8 code, bool isDown, void *context);
    static void mouseCaptured(quint8 code, bool isDown, int x, int y, void *context);
    // Shows the warning text another process sent, in a box titled with the
    // window's title, one box at a time.
    static void messageCaptured(const CopyDataMessage &payload, void *context);

protected:
    void customEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    // A close from the window manager (Alt+F4, the taskbar) hides the window
    // like the UI's close button.
    void closeEvent(QCloseEvent *event) override;
    // Out of sight, nothing records what is typed: the pages stop listening.
    void hideEvent(QHideEvent *event) override;

public slots:
    void trayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void checkDevice();
    void exitSYS();
    void receiveMessage(QString message);

private:
    void setupTrayIcon();
    void showDetectBalloon();

    QTimer deviceTimer;
    Hid_Thread hid;
    Ui_Controler *m_controller = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    DeviceMonitor *m_monitor = nullptr;
    WarningBoxes *m_warnings = nullptr;
};
