// The resident shell: single instance, device-change debouncing, the
// detection handshake with the UI, the balloon, window control and
// forwarding of captured input.
#include "app/render_backend.h"
#include "app/ui_controler.h"
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "platform/device_monitor.h"
#include "platform/single_instance.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QMenu>
#include <QElapsedTimer>
#include <QProcess>
#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The UI keeps the bridge's recent calls into its root, oldest first.
QStringList uiCalls(Widget &window)
{
    return window.view()->rootObject()->property("callLog").toStringList();
}

QVariant rootProperty(Widget &window, const char *name)
{
    return window.view()->rootObject()->property(name);
}

// A workspace and a window whose device table sees the given virtual entries.
struct ShellRig
{
    explicit ShellRig(const QList<int> &connected = {})
    {
        hid = &installVirtualBackend();
        window = std::make_unique<Widget>();
        for (int index : connected)
            addVirtualDevicesForEntry(*hid, window->device().devices(), index);
    }

    TestWorkspace workspace;
    VirtualHidBackend *hid = nullptr;
    std::unique_ptr<Widget> window;
};

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        chooseSceneGraphBackend();
        // A desktop with a tray, unless a test says otherwise.
        Ui_Controler::trayCheck = [] { return true; };
    }

    // Without a tray nothing could bring a hidden window back: closing
    // minimises it, and a restore request brings it back to normal.
    void closingWithoutATrayMinimises()
    {
        ShellRig rig;
        rig.window->show();
        Ui_Controler::trayCheck = [] { return false; };
        rig.window->controller()->onClose();
        Ui_Controler::trayCheck = [] { return true; };
        QVERIFY(rig.window->isVisible());
        QVERIFY(rig.window->isMinimized());
        rig.window->receiveMessage(QString());
        QTRY_VERIFY(!rig.window->isMinimized());
        QVERIFY(rig.window->isVisible());
    }

    void secondStartWakesTheFirstAndExitsWithOne()
    {
        const QString program = QStringLiteral(GEARCONSOLE_BINARY_DIR "/gearconsole");
        SingleInstance first(SingleInstance::defaultId(program));
        QVERIFY(!first.isRunning());

        ShellRig rig;
        QObject::connect(&first, &SingleInstance::messageReceived, rig.window.get(), &Widget::receiveMessage);
        rig.window->show();
        rig.window->controller()->onClose();
        QVERIFY(!rig.window->isVisible());

        QProcess second;
        second.start(program, {});
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
        QTRY_VERIFY(rig.window->isVisible());
    }

    void burstOfNotificationsLeadsToOneDetection()
    {
        ShellRig rig({0});
        LogCapture log;
        DeviceMonitor *monitor = rig.window->deviceMonitor();
        monitor->inject(DeviceMonitor::Change::Arrival);
        QTest::qWait(500);
        monitor->inject(DeviceMonitor::Change::Removal);
        QTest::qWait(500);
        monitor->inject(DeviceMonitor::Change::Arrival);
        QElapsedTimer sinceLast;
        sinceLast.start();
        QTRY_COMPARE_WITH_TIMEOUT(log.count(QStringLiteral("Device Connect State")), 1, 4000);
        const qint64 after = sinceLast.elapsed();
        QVERIFY2(after >= 2000 && after < 2600, qPrintable(QString::number(after)));
        QTest::qWait(2300);
        QCOMPARE(log.count(QStringLiteral("Device Connect State")), 1);
    }

    void otherDeviceChangesAreIgnored()
    {
        ShellRig rig;
        rig.window->deviceMonitor()->inject(DeviceMonitor::Change::Other);
        QVERIFY(!rig.window->deviceTimerForTests().isActive());
        rig.window->deviceMonitor()->inject(DeviceMonitor::Change::Removal);
        QVERIFY(rig.window->deviceTimerForTests().isActive());
        QCOMPARE(rig.window->deviceTimerForTests().interval(), 2048);
    }

    void everyDetectionRunsInitUiBeforeRun()
    {
        ShellRig rig({0});
        rig.window->checkDevice();
        QVERIFY(!rootProperty(*rig.window, "isPownOn").toBool());
        QTRY_COMPARE(uiCalls(*rig.window).filter(QRegularExpression("^(initUI|run)$")), QStringList({"initUI", "run"}));
        QVERIFY(rootProperty(*rig.window, "isPownOn").toBool());
        QCOMPARE(rootProperty(*rig.window, "deviceType").toString(), QStringLiteral("keyboard"));
        QCOMPARE(rootProperty(*rig.window, "keyboardType").toInt(), 0);
        // Two detections before the loop turns: "run" is queued from the
        // start-up event, so it follows every pending "initUI".
        rig.window->checkDevice();
        rig.window->checkDevice();
        const QRegularExpression handshake("^(initUI|run)$");
        QTRY_COMPARE(uiCalls(*rig.window).filter(handshake).size(), 6);
        QCOMPARE(uiCalls(*rig.window).filter(handshake).mid(2), QStringList({"initUI", "initUI", "run", "run"}));
        QCOMPARE(rootProperty(*rig.window, "deviceConnectState").toInt(), 1);
        // initUI blocks input for its protect period.
        QCOMPARE(rootProperty(*rig.window, "busyTime").toInt(), 1000);
        QVERIFY(rootProperty(*rig.window, "busy").toBool());
        QVERIFY(!rig.window->view()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!rootProperty(*rig.window, "busy").toBool(), 3000);
        QVERIFY(rig.window->view()->isEnabled());
    }

    void balloonOnlyWhenSomethingWasFound()
    {
        {
            ShellRig rig;
            LogCapture log;
            rig.window->checkDevice();
            QCOMPARE(log.count(QStringLiteral("Device Connect State 0")), 1);
            QCOMPARE(log.count(QStringLiteral("balloon Info / Detect Device")), 0);
        }
        {
            ShellRig rig({2});
            LogCapture log;
            rig.window->view()->setEnabled(false);
            QVERIFY(rig.window->device().waitHidIdle());  // a stuck handshake is cleared by detection
            rig.window->checkDevice();
            QCOMPARE(log.count(QStringLiteral("Device Connect State 4")), 1);
            QCOMPARE(log.count(QStringLiteral("balloon Info / Detect Device")), 1);
            QVERIFY(rig.window->device().isReady());
            QVERIFY(rig.window->view()->isEnabled());
        }
    }

    void detectionWaitsForTheDeviceLockAtMostTwoSeconds()
    {
        ShellRig rig;
        rig.window->device().deviceLock = true;  // a poll that never lets go
        QElapsedTimer clock;
        clock.start();
        rig.window->checkDevice();
        QVERIFY2(clock.elapsed() >= 1990 && clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!rig.window->device().deviceLock);
    }

    void windowMovesByTheOffsets()
    {
        ShellRig rig;
        rig.window->move(100, 50);
        rig.window->controller()->onXChanged(-10);
        QCOMPARE(rig.window->pos(), QPoint(90, 50));
        rig.window->controller()->onYChanged(5);
        QCOMPARE(rig.window->pos(), QPoint(90, 55));
    }

    void setBusyWithoutArgumentPassesZero()
    {
        ShellRig rig;
        rig.window->controller()->setBusy(1500);
        QCOMPARE(rootProperty(*rig.window, "busyTime").toInt(), 1500);
        QVERIFY(rootProperty(*rig.window, "busy").toBool());
        QVERIFY(!rig.window->view()->isEnabled());
        rig.window->controller()->setBusy();
        // A direct call: the UI has it, and has released the view, before setBusy returns.
        QCOMPARE(rootProperty(*rig.window, "busyTime").toInt(), 0);
        QVERIFY(!rootProperty(*rig.window, "busy").toBool());
        QVERIFY(rig.window->view()->isEnabled());
    }

    void trayClickOrDoubleClickRestoresAndContextDoesNothing()
    {
        ShellRig rig;
        rig.window->show();
        for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
            rig.window->controller()->onClose();
            rig.window->trayIconActivated(QSystemTrayIcon::Context);
            QTest::qWait(50);
            QVERIFY(!rig.window->isVisible());
            rig.window->trayIconActivated(reason);
            QVERIFY(!rig.window->isVisible());  // posted, not sent
            QTRY_VERIFY(rig.window->isVisible());
        }
    }

    // The tray menu takes its dark style when it opens, and keeps it.
    void trayMenuIsStyledWhenItOpens()
    {
        ShellRig rig;
        auto *menu = rig.window->findChild<QMenu *>();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        QVERIFY(menu->styleSheet().isEmpty());
        for (int opening = 0; opening < 2; ++opening) {
            menu->popup(QPoint(10, 10));
            QVERIFY(menu->styleSheet().contains(QStringLiteral("background: rgb(68, 69, 73)")));
            QCOMPARE(menu->palette().color(QPalette::Window), QColor(68, 69, 73));
            menu->hide();
        }
    }

    void windowIsFramelessAndSizedToTheView()
    {
        ShellRig rig;
        QCOMPARE(rig.window->size(), QSize(1000, 640));
        QVERIFY(rig.window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("VORTAN KELD SOFTWARE"));
        QCOMPARE(rig.window->objectName(), QStringLiteral("Widget"));
        QCOMPARE(rig.window->view()->objectName(), QStringLiteral("ui_View"));
        QCOMPARE(rig.window->view()->device, &rig.window->device());
    }

    void capturedInputReachesTheUiQueued()
    {
        ShellRig rig;
        QSignalSpy keys(rig.window->view()->rootObject(), SIGNAL(msg_KB(bool, int)));
        QSignalSpy buttons(rig.window->view()->rootObject(), SIGNAL(msg_MS(bool, int, int, int)));
        Widget::keyboardCaptured(0x04, true, rig.window.get());
        Widget::mouseCaptured(0xf0, false, 10, 20, rig.window.get());
        Widget::keyboardCaptured(0x05, true, nullptr);  // no context: nothing
        QVERIFY(uiCalls(*rig.window).isEmpty());
        // The diagnostics note the calls, never the keys.
        QTRY_COMPARE(uiCalls(*rig.window), QStringList({"detectKeyboard", "detectMouse"}));
        QCOMPARE(QList<QVariantList>(keys), QList<QVariantList>({{true, 4}}));
        QCOMPARE(QList<QVariantList>(buttons), QList<QVariantList>({{false, 240, 10, 20}}));
        QVERIFY(!rootProperty(*rig.window, "isPownOn").toBool());  // captured input is no detection
    }

    void deviceSelectionSlots()
    {
        ShellRig rig;
        myQQuickView *view = rig.window->view();
        QCOMPARE(view->getDeviceConnectState().toInt(), 0);
        view->setDeviceIndex(3);
        QCOMPARE(rig.window->device().currentDeviceIndex(), 3);
        view->setDeviceIndex(QStringLiteral("keyboard"));
        QCOMPARE(rig.window->device().currentDeviceIndex(), 0);
    }

    void bridgeReadsItsGlobalFlags()
    {
        TestWorkspace workspace;
        {
            QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
            global.setValue(QStringLiteral("mouse/isGun"), true);
            global.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
        }
        installVirtualBackend();
        Widget window;
        QVERIFY(window.isGun());
        QCOMPARE(window.view()->icType, QStringLiteral("560"));
    }

    void quitEndsTheEventLoopWithZero()
    {
        ShellRig rig;
        QTimer::singleShot(0, rig.window.get(), &Widget::exitSYS);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!rig.window->device().pollRunning);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
