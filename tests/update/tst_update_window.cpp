// The update window offscreen, against the simulated boot loader: a user's way through it
// (choose, check, put the keyboard in its update mode, erase, write, verify, restart, back
// under its own ids), a close while the keyboard is written, a failure's words, and the
// built program refusing a second update. With GEARCONSOLE_SCREENSHOT_DIR set it leaves
// pictures of the window there.
#include "burnlet.h"
#include "keyboard_ids.h"
#include "platform/device_monitor.h"
#include "simulator.h"
#include "stop_signals.h"
#include "update_lock.h"
#include "update_session.h"
#include "update_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <thread>

namespace {
constexpr uint8_t kOldFirmware = 0x5A;
const KeyboardIds kOwnIds{0xfff0, 0x0101};

bootsim::Simulator &sim() { return bootsim::simulator(); }

QByteArray pattern(int length, int seed)
{
    QByteArray data(length, '\0');
    quint32 state = 0x9E3779B9u * quint32(seed);
    for (char &byte : data) {
        state = state * 1664525u + 1013904223u;
        byte = char(state >> 24);
    }
    return data;
}

// An image as Intel HEX: data records of 16 bytes, then the end record.
QByteArray intelHex(int address, const QByteArray &data)
{
    QByteArray text;
    for (int at = 0; at < data.size(); at += 16) {
        const QByteArray chunk = data.mid(at, 16);
        const int offset = address + at;
        QByteArray record = QByteArray(1, char(chunk.size())) + char(offset >> 8) + char(offset & 0xff) + '\0' + chunk;
        quint8 sum = 0;
        for (char byte : record)
            sum = quint8(sum + quint8(byte));
        text += ':' + (record + char(-sum)).toHex().toUpper() + '\n';
    }
    return text + ":00000001FF\n";
}

QByteArray flashAt(int address, int length)
{
    return QByteArray(reinterpret_cast<const char *>(sim().device.flash.data()) + address, length);
}

// The keyboard's own interfaces, as the fake device list shows them.
bool g_keyboardListed = false;

template <typename T>
T *child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}
} // namespace

class UpdateWindowTests : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_image;
    QByteArray m_firmware = pattern(20000, 7);

    void screenshot(QWidget &window, const QString &name)
    {
        const QString folder = qEnvironmentVariable("GEARCONSOLE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(window.grab().save(folder + QStringLiteral("/") + name + QStringLiteral(".png")));
    }

    // Writing slow enough that the bar can be seen moving and a close comes in the middle.
    static void slowWrites()
    {
        sim().onWrite = [](const bootsim::SentData &) {
            if (sim().device.session() == bootsim::Session::Write)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        };
    }

    // The keyboard in its update mode, as the user's gesture brings it: present, and
    // announced by the device monitor.
    static void plugBootLoader(UpdateSession &session)
    {
        sim().devicesPresent = 1;
        sim().plugIn();
        session.deviceMonitor()->inject(DeviceMonitor::Change::Arrival);
    }

private slots:
    void initTestCase()
    {
        keyboardPresent = [](const KeyboardIds &ids) {
            return g_keyboardListed && ids.vendorId == kOwnIds.vendorId && ids.productId == kOwnIds.productId;
        };
        m_image = m_folder.filePath(QStringLiteral("firmware.hex.txt"));
        QFile file(m_image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(intelHex(0x0400, m_firmware)) > 0);
    }

    void init()
    {
        DisConnectWriter();
        sim().reset();
        sim().devicesPresent = 0;  // the keyboard runs its own firmware
        std::fill(sim().device.flash.begin(), sim().device.flash.end(), kOldFirmware);
        g_keyboardListed = true;
        UpdateWindow::chooseFile = [this](QWidget *, const QString &, const QString &) { return m_image; };
    }

    void aUserUpdatesTheKeyboardFromStartToEnd()
    {
        UpdateSession session(firmware::edition(0), kOwnIds, firmware::Language::English);
        UpdateWindow window(session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *message = child<QLabel>(window, "message");
        auto *start = child<QPushButton>(window, "startButton");
        QVERIFY(!start->isEnabled());
        QVERIFY(message->text().contains("Choose the firmware image for the tarnel UK keyboard"));

        QTest::mouseClick(child<QPushButton>(window, "chooseButton"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(window, "imagePath")->text(), m_image);
        QVERIFY2(message->text().contains("The image is good: 20000 bytes (Intel HEX) at 0x0400–0x521F"),
                 qPrintable(message->text()));
        QVERIFY(start->isEnabled());
        screenshot(window, QStringLiteral("update-window-ready"));

        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(session.phase(), UpdateSession::Phase::WaitingForBootLoader);
        QVERIFY(message->text().contains("Put the keyboard into its update mode"));
        QCOMPARE(start->text(), QStringLiteral("Cancel"));
        QVERIFY(child<QLabel>(window, "step2")->text().contains("<b>"));
        screenshot(window, QStringLiteral("update-window-waiting"));

        int shotAt = 0;
        slowWrites();
        g_keyboardListed = false;  // the keyboard restarted into its boot loader
        plugBootLoader(session);
        QCOMPARE(session.phase(), UpdateSession::Phase::Updating);
        QTRY_VERIFY(session.stage() == firmware::Stage::Programming && session.progress() > 30);
        QVERIFY(message->text().contains("Writing the new firmware"));
        shotAt = child<QProgressBar>(window, "progress")->value();
        QVERIFY(shotAt > 0 && shotAt < 100);
        screenshot(window, QStringLiteral("update-window-writing"));

        QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::WaitingForKeyboard, 30000);
        QVERIFY(message->text().contains("Waiting for the keyboard to restart"));
        QCOMPARE(sim().device.resets, 1);
        g_keyboardListed = true;
        session.deviceMonitor()->inject(DeviceMonitor::Change::Arrival);
        QCOMPARE(session.phase(), UpdateSession::Phase::Done);
        QCOMPARE(message->text(), QStringLiteral("Done. The keyboard restarted with its new firmware and is back as your "
                                                 "tarnel UK keyboard (USB fff0:0101). You can close this window."));
        QCOMPARE(child<QProgressBar>(window, "progress")->value(), 100);
        QVERIFY(!start->isEnabled());
        screenshot(window, QStringLiteral("update-window-done"));
        QCOMPARE(flashAt(0x0400, m_firmware.size()), m_firmware);
        QVERIFY(window.close());
    }

    // Closing while the keyboard is written asks; the answer "stop" ends the update at a
    // safe point, and the window stays to say what the keyboard holds.
    void closingDuringTheUpdateAsksAndThenSaysTheState()
    {
        UpdateSession session(firmware::edition(0), kOwnIds, firmware::Language::English);
        UpdateWindow window(session);
        window.show();
        int asked = 0;
        UpdateWindow::confirmStop = [&](QWidget *, const QString &title, const QString &, const QString &,
                                        const QString &) {
            ++asked;
            return title == QLatin1String("Stop the update?") && asked > 1;
        };
        session.chooseImage(m_image);
        slowWrites();
        plugBootLoader(session);
        session.start();
        QTRY_VERIFY(session.stage() == firmware::Stage::Programming);

        QVERIFY(!window.close());  // "Continue"
        QCOMPARE(asked, 1);
        QVERIFY(session.isUpdating() && !session.stopRequested());
        QVERIFY(!window.close());  // "Stop the update"
        QCOMPARE(asked, 2);
        QVERIFY(session.stopRequested());
        QVERIFY(window.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::Failed, 30000);
        auto *message = child<QLabel>(window, "message");
        QVERIFY2(message->text().startsWith("The update was stopped on request. The keyboard is in its update mode "
                                            "with incomplete firmware. It is safe to run the update again without "
                                            "unplugging it."),
                 qPrintable(message->text()));
        QCOMPARE(sim().device.resets, 0);
        screenshot(window, QStringLiteral("update-window-stopped"));
        QVERIFY(window.close());
        QCOMPARE(asked, 2);
    }

    // A termination (the session ending, a shutdown) while the keyboard is written stops
    // at a safe point, and the program says what the keyboard holds before it ends.
    void aSignalStopsAtASafePointWithTheMessage()
    {
        UpdateSession session(firmware::edition(0), kOwnIds, firmware::Language::English);
        StopSignals stopSignals;
        QStringList ended;
        endOnStopSignals(stopSignals, session, [&ended](const QString &message) { ended << message; });
        session.chooseImage(m_image);
        slowWrites();
        plugBootLoader(session);
        session.start();
        QTRY_VERIFY(session.stage() == firmware::Stage::Programming);
        ::kill(::getpid(), SIGTERM);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 30000);
        QCOMPARE(session.outcome()->cause, firmware::Cause::Stopped);
        QVERIFY2(ended[0].contains("The keyboard is in its update mode with incomplete firmware."), qPrintable(ended[0]));
        QCOMPARE(sim().device.resets, 0);
        QCOMPARE(sim().log.countOpcode(3) < 20, true);  // it stopped, and did not merely finish
        // Idle, a signal ends at once.
        ::kill(::getpid(), SIGTERM);
        QTRY_COMPARE(ended.size(), 2);
        QVERIFY(ended[1].isEmpty());
    }

    // In Chinese, a failure of the check: the keyboard is not restarted into it, and the
    // window says so; a second try after the fault is gone completes the update.
    void aFailedCheckIsToldAndTheUpdateCanBeRunAgain()
    {
        UpdateSession session(firmware::edition(4), kOwnIds, firmware::Language::Chinese);
        UpdateWindow window(session);
        window.show();
        QTest::mouseClick(child<QPushButton>(window, "chooseButton"), Qt::LeftButton);
        int cell = 0;  // a cell that stays erased where the image wants other bits
        while (quint8(m_firmware[cell]) == 0xFF)
            ++cell;
        sim().device.behaviour.stuckCell = 0x0400 + cell;
        sim().device.flash[size_t(0x0400 + cell)] = 0xFF;
        plugBootLoader(session);
        QByteArray image = m_firmware;
        session.start();
        QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::Failed, 30000);
        QCOMPARE(session.outcome()->state, firmware::KeyboardState::VerifyFailed);
        const QString said = child<QLabel>(window, "message")->text();
        QVERIFY2(said.contains(QStringLiteral("键盘上的固件与映像不一致")) && said.contains(QStringLiteral("可以放心地再次运行更新")),
                 qPrintable(said));
        QCOMPARE(sim().device.resets, 0);
        QVERIFY(child<QPushButton>(window, "startButton")->isEnabled());
        screenshot(window, QStringLiteral("update-window-check-failed-chinese"));

        sim().device.behaviour.stuckCell = -1;
        QTest::mouseClick(child<QPushButton>(window, "startButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::WaitingForKeyboard, 30000);
        session.deviceMonitor()->inject(DeviceMonitor::Change::Arrival);
        QCOMPARE(session.phase(), UpdateSession::Phase::Done);
        QCOMPARE(flashAt(0x0400, image.size()), image);
    }

    void imagesThatCannotBeUsedAreRefusedBeforeAnything()
    {
        UpdateSession session(firmware::edition(0), kOwnIds, firmware::Language::English);
        UpdateWindow window(session);
        const QString text = m_folder.filePath(QStringLiteral("readme.bin"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not firmware\n") > 0);
        file.close();
        UpdateWindow::chooseFile = [&](QWidget *, const QString &, const QString &) { return text; };
        QTest::mouseClick(child<QPushButton>(window, "chooseButton"), Qt::LeftButton);
        QCOMPARE(session.phase(), UpdateSession::Phase::ImageRefused);
        QVERIFY(child<QLabel>(window, "message")->text().contains("Nothing was written; the keyboard is unchanged."));
        QVERIFY(!child<QPushButton>(window, "startButton")->isEnabled());
        QCOMPARE(sim().log.calls, 0);
    }

    // The program as the main window starts it, while another update runs: it says so
    // (before its box waits for the user) and goes no further.
    void theBuiltProgramAllowsOneUpdateAtATime()
    {
        firmware::UpdateLock held;
        QVERIFY(held.take());
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("GEARCONSOLE_LANGUAGE"), QStringLiteral("English"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(UPDATE_PROGRAM_FOLDER "/tarnelUK"), {});
        QVERIFY(program.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += program.readAllStandardError()).contains("A firmware update is already running"),
                                 20000);
        program.kill();
        program.waitForFinished();
    }
};

QTEST_MAIN(UpdateWindowTests)
#include "tst_update_window.moc"
