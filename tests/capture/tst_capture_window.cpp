// The in-window capture (Wayland, offscreen) on the program's kind of
// window: a widget window holding a Qt Quick view, which hands every key and
// button on to a window of its own. Driven through the capture unit, with
// the events Qt's Wayland platform delivers: a held key repeats as release
// and press pairs flagged auto-repeat, and a key released after the window
// lost the focus never reports its release.
#include "keys/key_capture.h"

#include <QQuickItem>
#include <QQuickWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QStringList delivered;

void keyboard(quint8 code, bool isDown, void *)
{
    delivered << QStringLiteral("%1 %2").arg(code, 2, 16, QLatin1Char('0')).arg(isDown ? "down" : "up");
}
void mouse(quint8 code, bool isDown, int, int, void *)
{
    delivered << QStringLiteral("button %1 %2").arg(code, 2, 16, QLatin1Char('0')).arg(isDown ? "down" : "up");
}

} // namespace

class TestCaptureWindow : public QObject
{
    Q_OBJECT

    QWidget window;
    QQuickWidget *view = nullptr;
    std::unique_ptr<KeyCapture> capture;

    // Steps: "press N" / "release N" (X keycode N), "repeat N" (a release
    // and a press flagged auto-repeat), "focus out", "click", "listen",
    // "stop".
    void run(const QStringList &steps)
    {
        for (const QString &step : steps) {
            const QStringList word = step.split(QLatin1Char(' '));
            const quint32 keycode = word.value(1).toUInt();
            auto key = [&](QEvent::Type type, bool repeat) {
                QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, keycode, 0, 0, QString(), repeat);
                QCoreApplication::sendEvent(window.windowHandle(), &event);
            };
            if (word[0] == "press" || word[0] == "release") {
                key(word[0] == "press" ? QEvent::KeyPress : QEvent::KeyRelease, false);
            } else if (word[0] == "repeat") {
                key(QEvent::KeyRelease, true);
                key(QEvent::KeyPress, true);
            } else if (step == "focus out") {
                QFocusEvent event(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
                QCoreApplication::sendEvent(window.windowHandle(), &event);
            } else if (step == "click") {
                QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, view->geometry().center());
            } else {
                KeyCapture::setListening(step == "listen");
            }
        }
    }

private slots:
    void initTestCase()
    {
        view = new QQuickWidget(&window);
        view->setSource(QUrl(QStringLiteral("data:text/plain,import QtQuick; Rectangle { width: 200; height: 100;"
                                            " focus: true; MouseArea { anchors.fill: parent } }")));
        QVERIFY(view->rootObject());
        (new QVBoxLayout(&window))->addWidget(view);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        capture = std::make_unique<KeyCapture>();
        capture->setKeyboardCallback(&keyboard, nullptr);
        capture->setMouseCallback(&mouse, nullptr);
    }
    void init()
    {
        KeyCapture::setListening(false);
        delivered.clear();
    }

    void recordsWhatIsTyped_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        // Evdev 30 (A) is X keycode 38, 56 (left Alt) 64.
        QTest::newRow("each key and button once")
            << QStringList{"listen", "click", "press 38", "release 38"}
            << QStringList{"button f0 down", "button f0 up", "04 down", "04 up"};
        QTest::newRow("nothing while no page listens")
            << QStringList{"click", "press 38", "release 38", "listen", "stop", "press 38", "release 38"}
            << QStringList{};
        QTest::newRow("a held key is one press and one release")
            << QStringList{"listen", "press 38", "repeat 38", "repeat 38", "repeat 38", "release 38"}
            << QStringList{"04 down", "04 up"};
        QTest::newRow("a key held while the window loses the focus ends there")
            << QStringList{"listen", "press 64", "focus out", "press 64", "release 64"}
            << QStringList{"e2 down", "e2 up", "e2 down", "e2 up"};
        QTest::newRow("a key held across a stop is a press when next seen")
            << QStringList{"listen", "press 38", "stop", "listen", "press 38", "release 38"}
            << QStringList{"04 down", "04 down", "04 up"};
    }
    void recordsWhatIsTyped()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        run(steps);
        QCOMPARE(delivered, expected);
    }
};

QTEST_MAIN(TestCaptureWindow)
#include "tst_capture_window.moc"
