// Global capture end to end: the real program under a private X server,
// idle, sees nothing of the keys typed and buttons clicked with xdotool
// outside its window; and the X11 source itself, while active, sees them
// whoever holds a grab, and stops seeing them when made inactive.
#include "platform/capture/x11_capture_source.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <X11/Xlib.h>

namespace {

struct RecordingSink : CaptureSink
{
    QStringList events;
    void keyEvent(uint8_t scanCode, bool, bool, bool isDown) override
    {
        events << QStringLiteral("key %1 %2").arg(scanCode, 2, 16, QLatin1Char('0')).arg(isDown ? "down" : "up");
    }
    void mouseEvent(int message, int x, int y) override
    {
        events << QStringLiteral("mouse %1 %2 %3").arg(message, 0, 16).arg(x).arg(y);
    }
};

void xdo(const QString &display, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    QVERIFY(tool.waitForFinished(5000));
    QCOMPARE(tool.exitCode(), 0);
}

struct PrivateX
{
    QProcess server;
    QString display;

    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        for (int n = 150; n < 200; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) || QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                continue;
            display = QStringLiteral(":%1").arg(n);
            server.start(xvfb, {display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x800x24"),
                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            server.waitForStarted();
            for (int i = 0; i < 50 && server.state() == QProcess::Running; ++i) {
                if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return true;
                QTest::qWait(100);
            }
            server.kill();
            server.waitForFinished();
        }
        return false;
    }
    ~PrivateX()
    {
        server.terminate();
        server.waitForFinished(3000);
    }
};

// A private X server to type into, set as this process's display, or why
// there is none.
QString privateDesktop(PrivateX &x)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("xdotool is not installed");
    if (!x.start())
        return QStringLiteral("no private X server could be started here");
    qputenv("DISPLAY", x.display.toLocal8Bit());
    return {};
}

} // namespace

class TestCaptureX11 : public QObject
{
    Q_OBJECT

private slots:
    void anIdleProgramSeesNothingOfTheDesktop()
    {
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xdotool.isEmpty())
            QSKIP("xdotool is not installed");
        PrivateX x;
        if (!x.start())
            QSKIP("no private X server could be started here");

        // A copy of the program of its own, so that its single-instance
        // name is not shared with any other run.
        TestWorkspace workspace;
        const QString program = workspace.path() + QStringLiteral("/gearconsole");
        QVERIFY(QFile::copy(QStringLiteral(GEARCONSOLE_BINARY_DIR "/gearconsole"), program));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), x.display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("gearconsole.capture.debug=true"));
        QProcess gearconsole;
        gearconsole.setProcessEnvironment(environment);
        gearconsole.setProcessChannelMode(QProcess::MergedChannels);
        gearconsole.start(program, {});
        QVERIFY(gearconsole.waitForStarted());
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += gearconsole.readAll()).contains("main screen built"), 15000);
        QVERIFY2(log.contains("capture source: XInput2 raw events on X11"), log.constData());

        // Outside the 1000 x 640 window: the root has the pointer and the focus.
        xdo(x.display, {QStringLiteral("mousemove"), QStringLiteral("1100"), QStringLiteral("700"),
                        QStringLiteral("type"), QStringLiteral("password"), QStringLiteral("click"), QStringLiteral("1")});
        QTest::qWait(500);
        log += gearconsole.readAll();
        QVERIFY2(!log.contains("gearconsole.capture: key") && !log.contains("gearconsole.capture: button")
                     && !log.contains("capture on"), log.constData());

        gearconsole.terminate();
        gearconsole.waitForFinished(5000);
    }

    // The program's source is not started: it connects when a page first
    // listens, and from then on captures like one that was.
    void connectsWhenFirstActive()
    {
        PrivateX x;
        if (const QString why = privateDesktop(x); !why.isEmpty())
            QSKIP(qPrintable(why));
        RecordingSink sink;
        X11CaptureSource source(sink);
        source.setActive(false);
        xdo(x.display, {QStringLiteral("key"), QStringLiteral("b")});
        source.setActive(true);
        xdo(x.display, {QStringLiteral("key"), QStringLiteral("a")});
        QTRY_COMPARE(sink.events.join(QStringLiteral(" | ")), QStringLiteral("key 1e down | key 1e up"));

        qputenv("DISPLAY", ":99999");
        RecordingSink none;
        X11CaptureSource unreachable(none);
        LogCapture log;
        unreachable.setActive(true);
        unreachable.setActive(false);
        unreachable.setActive(true);  // tried once only
        QCOMPARE(log.count(QStringLiteral("capture off for the run: no X server with XInput 2")), 1);
        QVERIFY(none.events.isEmpty());
    }

    // A click on a window makes the server grab the pointer until the
    // release, and another program may hold the keyboard for a while: the
    // releases inside those grabs, and the press after one, still arrive.
    void deliversReleasesDuringOtherClientsGrabs()
    {
        PrivateX x;
        if (const QString why = privateDesktop(x); !why.isEmpty())
            QSKIP(qPrintable(why));
        RecordingSink sink;
        X11CaptureSource source(sink);
        QVERIFY(source.start());
        xdo(x.display, {QStringLiteral("key"), QStringLiteral("b")});   // before it is active: nothing
        source.setActive(true);

        Display *other = XOpenDisplay(nullptr);
        QVERIFY(other);
        const Window root = DefaultRootWindow(other);
        const Window window = XCreateSimpleWindow(other, root, 0, 0, 200, 200, 0, 0, 0);
        XSelectInput(other, window, ButtonPressMask | ButtonReleaseMask | StructureNotifyMask);
        XMapWindow(other, window);
        XEvent mapped;
        XWindowEvent(other, window, StructureNotifyMask, &mapped);
        XSync(other, False);

        xdo(x.display, {QStringLiteral("mousemove"), QStringLiteral("100"), QStringLiteral("100")});
        xdo(x.display, {QStringLiteral("click"), QStringLiteral("1")});
        xdo(x.display, {QStringLiteral("keydown"), QStringLiteral("a")});
        QTRY_VERIFY(sink.events.contains(QStringLiteral("key 1e down")));
        QCOMPARE(XGrabKeyboard(other, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
        xdo(x.display, {QStringLiteral("keyup"), QStringLiteral("a")});
        XUngrabKeyboard(other, CurrentTime);
        XSync(other, False);
        xdo(x.display, {QStringLiteral("key"), QStringLiteral("a")});

        // Keys and buttons come on connections of their own: each in order.
        const QStringList expected = {"key 1e down", "key 1e up", "key 1e down", "key 1e up",
                                      "mouse 201 100 100", "mouse 202 100 100"};
        auto inOrderOfKind = [&] {
            QStringList events = sink.events;
            std::stable_sort(events.begin(), events.end(),
                             [](const QString &a, const QString &b) { return a.startsWith("key") && !b.startsWith("key"); });
            return events.join(QStringLiteral(" | "));
        };
        QTRY_COMPARE(inOrderOfKind(), expected.join(QStringLiteral(" | ")));
        QTest::qWait(200);
        QCOMPARE(sink.events.size(), expected.size());

        // Inactive again: nothing, grab or not.
        source.setActive(false);
        xdo(x.display, {QStringLiteral("key"), QStringLiteral("c"), QStringLiteral("click"), QStringLiteral("1")});
        QTest::qWait(300);
        QCOMPARE(sink.events.size(), expected.size());
        XCloseDisplay(other);
    }
};

QTEST_GUILESS_MAIN(TestCaptureX11)
#include "tst_capture_x11.moc"
