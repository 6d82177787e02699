// The capture unit's procedures on the inputs a low-level hook sees, the
// evdev translation of the Linux sources, and the warning channel.
#include "app/render_backend.h"
#include "app/widget.h"
#include "keys/key_capture.h"
#include "platform/capture/evdev_scancodes.h"
#include "platform/capture/key_translation.h"
#include "platform/copy_data_channel.h"
#include "app/warning_boxes.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"

#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtTest>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <utility>

namespace {

QStringList delivered;

void recordKey(quint8 code, bool isDown, void *context)
{
    delivered << QStringLiteral("key %1 %2%3")
                     .arg(code, 2, 16, QLatin1Char('0'))
                     .arg(isDown ? "down" : "up")
                     .arg(context ? "" : " (no context)");
}

void recordButton(quint8 code, bool isDown, int x, int y, void *)
{
    delivered << QStringLiteral("button %1 %2 %3 %4").arg(code, 2, 16, QLatin1Char('0')).arg(isDown ? "down" : "up").arg(x).arg(y);
}

struct Keystroke
{
    unsigned scan;
    bool extended;
    bool alt;
    bool down;
};

// Collects what the Linux translation hands on.
struct RecordingSink : CaptureSink
{
    QStringList events;
    void keyEvent(uint8_t scan, bool extended, bool alt, bool isDown) override
    {
        events << QStringLiteral("%1/%2%3 %4").arg(scan, 2, 16, QLatin1Char('0')).arg(int(extended)).arg(alt ? " alt" : "").arg(isDown ? "down" : "up");
    }
    void mouseEvent(int message, int x, int y) override { events << QStringLiteral("%1 %2 %3").arg(message, 0, 16).arg(x).arg(y); }
};

} // namespace

Q_DECLARE_METATYPE(QList<Keystroke>)

class TestCaptureProcedures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        static int context = 1;
        capture = std::make_unique<KeyCapture>();
        capture->setKeyboardCallback(&recordKey, &context);
        capture->setMouseCallback(&recordButton, &context);
    }
    void init()
    {
        delivered.clear();
        KeyCapture::resetKeyStates();
    }

    void keystrokes_data()
    {
        QTest::addColumn<QList<Keystroke>>("strokes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("held key reports once") << QList<Keystroke>{{0x1E, false, false, true}, {0x1E, false, false, true},
                                                                   {0x1E, false, false, true}, {0x1E, false, false, false},
                                                                   {0x1E, false, false, true}}
                                               << QStringList{"key 04 down", "key 04 up", "key 04 down"};
        QTest::newRow("release of a key pressed before") << QList<Keystroke>{{0x30, false, false, false}} << QStringList{};
        QTest::newRow("keypad Enter and main Enter") << QList<Keystroke>{{0x1C, true, false, true}, {0x1C, false, false, true}}
                                                     << QStringList{"key 58 down", "key 28 down"};
        QTest::newRow("Ctrl+Break is Pause") << QList<Keystroke>{{0x46, true, false, true}} << QStringList{"key 48 down"};
        QTest::newRow("Scroll Lock") << QList<Keystroke>{{0x46, false, false, true}} << QStringList{"key 47 down"};
        QTest::newRow("Alt+Print Screen") << QList<Keystroke>{{0x54, false, true, true}} << QStringList{"key 46 down"};
        QTest::newRow("0x54 without Alt") << QList<Keystroke>{{0x54, false, false, true}} << QStringList{};
        QTest::newRow("left Windows") << QList<Keystroke>{{0x5B, true, false, true}} << QStringList{"key e3 down"};
        QTest::newRow("right Windows: nothing") << QList<Keystroke>{{0x5C, true, false, true}} << QStringList{};
        QList<Keystroke> functionKeys;
        for (unsigned scan = 0x64; scan <= 0x6D; ++scan)
            functionKeys << Keystroke{scan, false, false, true};
        QTest::newRow("F13 to F22: nothing") << functionKeys << QStringList{};
        QTest::newRow("scan above 0xFF counts as 0") << QList<Keystroke>{{0x11E, false, false, true}} << QStringList{};
    }
    void keystrokes()
    {
        QFETCH(QList<Keystroke>, strokes);
        QFETCH(QStringList, expected);
        for (const Keystroke &k : strokes)
            KeyCapture::keyboardProcedure(k.scan, k.extended, k.alt, k.down);
        QCOMPARE(delivered, expected);
    }

    void mouseButtons()
    {
        const int messages[] = {0x201, 0x203, 0x202, 0x204, 0x206, 0x205, 0x207, 0x208, 0x200, 0x20A, 0x20B};
        for (int message : messages)
            KeyCapture::mouseProcedure(message, 12, 34);
        QCOMPARE(delivered, QStringList({"button f0 down 12 34", "button f0 up 12 34", "button f1 down 12 34",
                                         "button f1 up 12 34", "button f2 down 12 34", "button f2 up 12 34"}));
    }

    // What is typed is logged only when the capture's debug output is asked
    // for by its own name, never through a wildcard.
    void eventsAreLoggedOnlyWhenAskedForByName_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<int>("logged");
        QTest::newRow("by name") << "gearconsole.capture.debug=true" << 1;
        QTest::newRow("every debug line") << "*.debug=true" << 0;
        QTest::newRow("the program's area") << "gearconsole.*.debug=true" << 0;
        QTest::newRow("named, then switched off") << "gearconsole.capture.debug=true;gearconsole.capture.debug=false" << 0;
        QTest::newRow("nothing asked") << "" << 0;
    }
    void eventsAreLoggedOnlyWhenAskedForByName()
    {
        QFETCH(QString, rules);
        QFETCH(int, logged);
        qputenv("QT_LOGGING_RULES", rules.toUtf8());
        QLoggingCategory::setFilterRules(rules);
        LogCapture log;
        KeyCapture::keyboardProcedure(0x1C, true, false, true);
        KeyCapture::mouseProcedure(0x204, 7, 8);
        QLoggingCategory::setFilterRules(QString());
        qunsetenv("QT_LOGGING_RULES");
        QCOMPARE(log.count(QStringLiteral("gearconsole.capture: key 58 down")), logged);
        QCOMPARE(log.count(QStringLiteral("gearconsole.capture: button f1 down 7 8")), logged);
    }

    void evdevCodesBecomeTheirScanCodes_data()
    {
        QTest::addColumn<int>("evdev");
        QTest::addColumn<int>("scan");
        QTest::addColumn<bool>("extended");
        QTest::newRow("A") << KEY_A << 0x1E << false;
        QTest::newRow("Esc") << KEY_ESC << 0x01 << false;
        QTest::newRow("main Enter") << KEY_ENTER << 0x1C << false;
        QTest::newRow("keypad Enter") << KEY_KPENTER << 0x1C << true;
        QTest::newRow("right Ctrl") << KEY_RIGHTCTRL << 0x1D << true;
        QTest::newRow("left Windows") << KEY_LEFTMETA << 0x5B << true;
        QTest::newRow("right Windows") << KEY_RIGHTMETA << 0x5C << true;
        QTest::newRow("Menu") << KEY_COMPOSE << 0x5D << true;
        QTest::newRow("Pause") << KEY_PAUSE << 0x45 << false;
        QTest::newRow("Num Lock") << KEY_NUMLOCK << 0x45 << true;
        QTest::newRow("Print Screen") << KEY_SYSRQ << 0x37 << true;
        QTest::newRow("keypad /") << KEY_KPSLASH << 0x35 << true;
        QTest::newRow("keypad *") << KEY_KPASTERISK << 0x37 << false;
        QTest::newRow("ISO backslash") << KEY_102ND << 0x56 << false;
        QTest::newRow("F11") << KEY_F11 << 0x57 << false;
        QTest::newRow("F12") << KEY_F12 << 0x58 << false;
        QTest::newRow("Insert") << KEY_INSERT << 0x52 << true;
        QTest::newRow("Delete") << KEY_DELETE << 0x53 << true;
        QTest::newRow("Home") << KEY_HOME << 0x47 << true;
        QTest::newRow("End") << KEY_END << 0x4F << true;
        QTest::newRow("Page Up") << KEY_PAGEUP << 0x49 << true;
        QTest::newRow("Page Down") << KEY_PAGEDOWN << 0x51 << true;
        QTest::newRow("Up") << KEY_UP << 0x48 << true;
        QTest::newRow("Down") << KEY_DOWN << 0x50 << true;
        QTest::newRow("Left") << KEY_LEFT << 0x4B << true;
        QTest::newRow("Right") << KEY_RIGHT << 0x4D << true;
        QTest::newRow("right Shift, flagged extended") << KEY_RIGHTSHIFT << 0x36 << true;
        QTest::newRow("left Shift") << KEY_LEFTSHIFT << 0x2A << false;
        QTest::newRow("keypad 7") << KEY_KP7 << 0x47 << false;
        QTest::newRow("keypad .") << KEY_KPDOT << 0x53 << false;
        QTest::newRow("right Alt") << KEY_RIGHTALT << 0x38 << true;
        QTest::newRow("Scroll Lock") << KEY_SCROLLLOCK << 0x46 << false;
        QTest::newRow("Caps Lock") << KEY_CAPSLOCK << 0x3A << false;
        QTest::newRow("grave") << KEY_GRAVE << 0x29 << false;
        QTest::newRow("F13") << KEY_F13 << 0x64 << false;
        QTest::newRow("F22") << KEY_F22 << 0x6D << false;
        QTest::newRow("mute") << KEY_MUTE << 0x20 << true;
        QTest::newRow("play/pause") << KEY_PLAYPAUSE << 0x22 << true;
    }
    void evdevCodesBecomeTheirScanCodes()
    {
        QFETCH(int, evdev);
        QFETCH(int, scan);
        QFETCH(bool, extended);
        const SetOneScanCode code = setOneScanCodeOf(evdev);
        QCOMPARE(int(code.scan), scan);
        QCOMPARE(code.extended, extended);
    }

    void everyCapturableEvdevKeyReachesAUsage()
    {
        // Every key of the 104/105-key layout the program assigns must survive
        // the whole way: evdev -> scan code -> virtual key -> usage.
        const int keys[] = {KEY_ESC, KEY_F1, KEY_F12, KEY_SYSRQ, KEY_SCROLLLOCK, KEY_PAUSE, KEY_GRAVE, KEY_1, KEY_0,
                            KEY_MINUS, KEY_EQUAL, KEY_BACKSPACE, KEY_TAB, KEY_Q, KEY_P, KEY_LEFTBRACE, KEY_RIGHTBRACE,
                            KEY_BACKSLASH, KEY_CAPSLOCK, KEY_A, KEY_L, KEY_SEMICOLON, KEY_APOSTROPHE, KEY_ENTER,
                            KEY_LEFTSHIFT, KEY_102ND, KEY_Z, KEY_M, KEY_COMMA, KEY_DOT, KEY_SLASH, KEY_RIGHTSHIFT,
                            KEY_LEFTCTRL, KEY_LEFTMETA, KEY_LEFTALT, KEY_SPACE, KEY_RIGHTALT, KEY_COMPOSE,
                            KEY_RIGHTCTRL, KEY_INSERT, KEY_HOME, KEY_PAGEUP, KEY_DELETE, KEY_END, KEY_PAGEDOWN, KEY_UP,
                            KEY_LEFT, KEY_DOWN, KEY_RIGHT, KEY_NUMLOCK, KEY_KPSLASH, KEY_KPASTERISK, KEY_KPMINUS,
                            KEY_KP7, KEY_KP8, KEY_KP9, KEY_KPPLUS, KEY_KP4, KEY_KP5, KEY_KP6, KEY_KP1, KEY_KP2, KEY_KP3,
                            KEY_KPENTER, KEY_KP0, KEY_KPDOT};
        for (int key : keys) {
            const SetOneScanCode code = setOneScanCodeOf(key);
            QVERIFY2(code.scan != 0, qPrintable(QString::number(key)));
            KeyCapture::keyboardProcedure(code.scan, code.extended, false, true);
            QVERIFY2(!delivered.isEmpty(), qPrintable(QStringLiteral("evdev %1 gave no usage").arg(key)));
            delivered.clear();
        }
    }

    void translationTracksCtrlAndAlt()
    {
        RecordingSink sink;
        KeyTranslation translation;
        translation.key(KEY_PAUSE, true, sink);
        translation.key(KEY_LEFTCTRL, true, sink);
        translation.key(KEY_PAUSE, true, sink);
        translation.key(KEY_LEFTCTRL, false, sink);
        translation.key(KEY_RIGHTALT, true, sink);
        translation.key(KEY_SYSRQ, true, sink);
        translation.key(KEY_RIGHTALT, false, sink);
        translation.key(KEY_SYSRQ, false, sink);
        KeyTranslation::button(1, true, 5, 6, sink);
        KeyTranslation::button(2, false, 5, 6, sink);
        KeyTranslation::button(3, true, 5, 6, sink);
        KeyTranslation::button(4, true, 5, 6, sink);  // wheel: nothing
        QCOMPARE(sink.events, QStringList({"45/0 down", "1d/0 down", "46/1 down", "1d/0 up", "38/1 alt down", "54/0 alt down",
                                           "38/1 up", "37/1 up", "201 5 6", "208 5 6", "204 5 6"}));
    }

    void warningTextNeedsTheDataWordAndTheLength_data()
    {
        QTest::addColumn<quint32>("dataWord");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<quint32>("count");
        QTest::addColumn<QString>("text");
        const QByteArray text = QStringLiteral("Firmware läuft").toUtf8();
        QTest::newRow("9487 with the length") << 9487u << text + '\0' << quint32(text.size()) << "Firmware läuft";
        QTest::newRow("9486") << 9486u << text + '\0' << quint32(text.size()) << "-";
        QTest::newRow("count one short") << 9487u << text.left(text.size() - 1) + '\0' << quint32(text.size()) << "-";
        QTest::newRow("characters instead of bytes") << 9487u << text + '\0' << quint32(14) << "-";
        QTest::newRow("empty, count 0") << 9487u << QByteArray(1, '\0') << 0u << "";
        QTest::newRow("empty, count 1") << 9487u << QByteArray(2, '\0') << 1u << "-";
    }
    void warningTextNeedsTheDataWordAndTheLength()
    {
        QFETCH(quint32, dataWord);
        QFETCH(QByteArray, bytes);
        QFETCH(quint32, count);
        QFETCH(QString, text);   // "-": no warning
        CopyDataMessage message{dataWord, count, bytes};
        QCOMPARE(warningTextOf(message).value_or(QStringLiteral("-")), text);
    }

    void randomPayloadsNeverCrash()
    {
        QRandomGenerator random(4242);
        for (int round = 0; round < 5000; ++round) {
            QByteArray buffer(random.bounded(40), '\0');
            for (char &c : buffer)
                c = char(random.bounded(256));
            if (round % 3 == 0)
                buffer = CopyDataChannel::encode(9487, buffer, quint32(random.bounded(50)));
            bool malformed = false;
            for (const CopyDataMessage &message : CopyDataChannel::decode(buffer, &malformed)) {
                QVERIFY(quint32(message.lpData.size()) == message.cbData + 1);
                warningTextOf(message);
            }
        }
    }

    // The real box stays open while the sender goes away (and, in one row, a bad
    // header ends the connection): closing it afterwards must not touch the
    // connection that carried the message, and the next message still shows.
    void warningBoxOutlivesItsSender_data()
    {
        QTest::addColumn<bool>("badHeaderFollows");
        QTest::newRow("sender leaves at once") << false;
        QTest::newRow("bad header follows") << true;
    }
    void warningBoxOutlivesItsSender()
    {
        QFETCH(bool, badHeaderFollows);
        TestWorkspace workspace;
        chooseSceneGraphBackend();
        Widget window;
        window.setWindowTitle(QStringLiteral("VORTAN KELD SOFTWARE"));
        CopyDataChannel channel;  // wired as the capture unit wires it
        QObject::connect(&channel, &CopyDataChannel::messageReceived, &window,
                         [&](const CopyDataMessage &message) { Widget::messageCaptured(message, &window); });
        const QString name = QStringLiteral("gearconsole-test-box-%1-%2").arg(QCoreApplication::applicationPid()).arg(badHeaderFollows);
        QVERIFY(channel.listen(name));

        // Each box is closed once the channel's side of every connection has ended.
        QStringList shown;
        QDeadlineTimer giveUp;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return giveUp.setRemainingTime(5000);
            const auto sockets = channel.findChildren<QLocalSocket *>();
            const bool senderGone = std::all_of(sockets.begin(), sockets.end(),
                                                [](QLocalSocket *s) { return s->state() == QLocalSocket::UnconnectedState; });
            if (!senderGone && !giveUp.hasExpired())
                return;
            shown << box->windowTitle() + QLatin1Char('|') + box->text() + (senderGone ? "" : " (connection still open)");
            box->button(QMessageBox::Ok)->click();
        });
        closer.start(10);

        auto send = [&](const QByteArray &text, bool badHeader) {
            QLocalSocket sender;
            sender.connectToServer(name);
            QVERIFY(sender.waitForConnected(2000));
            sender.write(CopyDataChannel::encode(9487, text + '\0', quint32(text.size())));
            if (badHeader)
                sender.write(CopyDataChannel::encode(9487, {}, CopyDataChannel::kMaxBytes + 1));
            QVERIFY(sender.waitForBytesWritten(2000));
            sender.disconnectFromServer();
        };
        send("Update failed", badHeaderFollows);
        QTRY_COMPARE_WITH_TIMEOUT(shown, QStringList{"VORTAN KELD SOFTWARE|Update failed"}, 10000);
        send("Update done", false);
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 2, 10000);
        QCOMPARE(shown.last(), QStringLiteral("VORTAN KELD SOFTWARE|Update done"));
    }

    // What another program sends is shown as it stands, in one box at a
    // time: a flood never stacks boxes (each with its own event loop) and
    // never keeps more than a few texts waiting.
    void warningsArriveThroughTheChannelOneBoxAtATime()
    {
        TestWorkspace workspace;
        chooseSceneGraphBackend();
        Widget window;
        window.setWindowTitle(QStringLiteral("VORTAN KELD SOFTWARE"));
        const QString channel = QStringLiteral("gearconsole-test-messages-%1").arg(QCoreApplication::applicationPid());
        capture->setMessageCallback(&Widget::messageCaptured, qApp, &window, channel);
        auto send = [&](const QByteArray &stream) {
            QLocalSocket sender;
            sender.connectToServer(channel);
            QVERIFY(sender.waitForConnected(2000));
            sender.write(stream);
            QVERIFY(sender.waitForBytesWritten(5000));
            sender.disconnectFromServer();
        };
        auto warning = [](const QByteArray &text) { return CopyDataChannel::encode(9487, text + '\0', quint32(text.size())); };
        auto boxes = [] {
            QList<QMessageBox *> open;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                    open << box;
            return open;
        };
        QStringList shown;
        auto closeBox = [&] {
            QTRY_COMPARE(boxes().size(), 1);
            QMessageBox *box = boxes().first();
            QCOMPARE(box->textFormat(), Qt::PlainText);
            shown << box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(QMessageBox::Ok)->click();
            QTRY_VERIFY(boxes().isEmpty() || boxes().first() != box);
        };

        const QByteArray markup = QByteArrayLiteral("<h1 style=\"color:red\">UPDATE FAILED</h1> a < b");
        send(CopyDataChannel::encode(9486, markup + '\0', quint32(markup.size())) +
             CopyDataChannel::encode(9487, QByteArrayLiteral("Upd\0te failed") + '\0', 13) + warning(markup) + warning({}));
        closeBox();
        closeBox();
        QCOMPARE(shown, QStringList({"VORTAN KELD SOFTWARE|" + QString::fromUtf8(markup), "VORTAN KELD SOFTWARE|"}));

        QByteArray flood;
        for (int i = 0; i < 3000; ++i)
            flood += warning("Update failed " + QByteArray::number(i));
        send(flood);
        QTRY_VERIFY_WITH_TIMEOUT(!boxes().isEmpty(), 5000);
        QTest::qWait(500);   // the whole flood has come
        for (int i = 0; i <= WarningBoxes::kMaxWaiting; ++i)
            closeBox();
        QTest::qWait(200);
        QVERIFY(boxes().isEmpty());
        QCOMPARE(shown.mid(2, 2), QStringList({"VORTAN KELD SOFTWARE|Update failed 0", "VORTAN KELD SOFTWARE|Update failed 1"}));
        QCOMPARE(shown.size(), 2 + 1 + WarningBoxes::kMaxWaiting);
        Widget::messageCaptured(CopyDataMessage{9487, 2, QByteArrayLiteral("ok\0")}, nullptr);  // no context
        QTest::qWait(100);
        QVERIFY(boxes().isEmpty());
    }

private:
    std::unique_ptr<KeyCapture> capture;
};

QTEST_MAIN(TestCaptureProcedures)
#include "tst_capture_procedures.moc"
