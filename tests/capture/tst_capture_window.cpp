// The in-window capture source (Wayland, offscreen) on the program's kind of
// window: a widget window holding a Qt Quick view, which hands every key and
// button on to a window of its own.
#include "platform/capture/capture_sink.h"
#include "platform/capture/window_capture_source.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

struct RecordingSink : CaptureSink
{
    QStringList events;
    void keyEvent(uint8_t scanCode, bool, bool, bool isDown) override
    {
        events << QStringLiteral("key %1 %2").arg(scanCode, 2, 16, QLatin1Char('0')).arg(isDown ? "down" : "up");
    }
    void mouseEvent(int message, int, int) override { events << QStringLiteral("mouse %1").arg(message, 0, 16); }
};

} // namespace

class TestCaptureWindow : public QObject
{
    Q_OBJECT

private slots:
    void eachKeyAndButtonIsCapturedOnce()
    {
        QWidget window;
        auto *view = new QQuickWidget(&window);
        view->setSource(QUrl(QStringLiteral("data:text/plain,import QtQuick; Rectangle { width: 200; height: 100;"
                                            " focus: true; MouseArea { anchors.fill: parent } }")));
        QVERIFY(view->rootObject());
        (new QVBoxLayout(&window))->addWidget(view);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());

        RecordingSink sink;
        WindowCaptureSource source(sink);
        source.start();

        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, view->geometry().center());
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            // Evdev 30 (A) as X keycode 38, the way the platform reports it.
            QKeyEvent key(type, Qt::Key_A, Qt::NoModifier, 38, 0, 0, QStringLiteral("a"));
            QCoreApplication::sendEvent(window.windowHandle(), &key);
        }
        QCOMPARE(sink.events, QStringList({"mouse 201", "mouse 202", "key 1e down", "key 1e up"}));
    }
};

QTEST_MAIN(TestCaptureWindow)
#include "tst_capture_window.moc"
