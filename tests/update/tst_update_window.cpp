// The update window offscreen, against the simulated boot loader: a user's way through it
// (choose, check, put the keyboard in its update mode, erase, write, verify, restart, back
// under its own ids), a close while the keyboard is written, a failure's words, and the
// built program refusing a second update. With GEARCONSOLE_SCREENSHOT_DIR set it leaves
// pictures of the window there.
#include "hex_text.h"
#include "keyboard_ids.h"
#include "platform/device_monitor.h"
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

using namespace testing;

namespace {
constexpr uint8_t kOldFirmware = 0x5A;
const KeyboardIds kOwnIds{0xfff0, 0x0101};

// The keyboard's own interfaces, as the fake device list shows them.
bool g_keyboardListed = false;

// Writing slow enough that the bar can be seen moving and a close comes in the middle.
void slowWrites()
{
    sim().onWrite = [](const bootsim::SentData &) {
        if (sim().device.session() == bootsim::Session::Write)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
}

// The keyboard in its update mode, as the user's gesture brings it: present, and
// announced by the device monitor.
void plugBootLoader(UpdateSession &session)
{
    sim().devicesPresent = 1;
    sim().plugIn();
    session.deviceMonitor()->inject(DeviceMonitor::Change::Arrival);
}

// The window shown over its session, for one edition and language.
struct Shown {
    explicit Shown(int edition = 0, firmware::Language language = firmware::Language::English)
        : session(firmware::edition(edition), kOwnIds, language)
    {
        window.show();
    }
    template <typename T = QPushButton>
    T *child(const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    QString message() { return child<QLabel>("message")->text(); }
    void screenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("GEARCONSOLE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(window.grab().save(folder + QStringLiteral("/") + name + QStringLiteral(".png")));
    }

    UpdateSession session;
    UpdateWindow window{session};
};
} // namespace

class UpdateWindowTests : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_image;
    const std::vector<uint8_t> m_firmware = pattern(20000, 7);

    // The image chosen, the keyboard in its update mode, the update under way.
    void startWriting(UpdateSession &session)
    {
        session.chooseImage(m_image);
        slowWrites();
        plugBootLoader(session);
        session.start();
        QTRY_VERIFY(session.stage() == firmware::Stage::Programming);
    }

private slots:
    void initTestCase()
    {
        keyboardPresent = [](const KeyboardIds &ids) {
            return g_keyboardListed && ids.vendorId == kOwnIds.vendorId && ids.productId == kOwnIds.productId;
        };
        m_image = m_folder.filePath(QStringLiteral("firmware.hex.txt"));
        QFile file(m_image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(hexImage(0x0400, m_firmware) + endOfFile()) > 0);
    }

    void init()
    {
        freshDevice();
        sim().devicesPresent = 0;  // the keyboard runs its own firmware
        std::fill(sim().device.flash.begin(), sim().device.flash.end(), kOldFirmware);
        g_keyboardListed = true;
        UpdateWindow::chooseFile = [this](QWidget *, const QString &, const QString &) { return m_image; };
    }

    void aUserUpdatesTheKeyboardFromStartToEnd()
    {
        Shown shown;
        UpdateSession &session = shown.session;
        QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
        auto *start = shown.child("startButton");
        QVERIFY(!start->isEnabled());
        QVERIFY(shown.message().contains("Choose the firmware image for the tarnel UK keyboard"));

        QTest::mouseClick(shown.child("chooseButton"), Qt::LeftButton);
        QCOMPARE(shown.child<QLineEdit>("imagePath")->text(), m_image);
        QVERIFY2(shown.message().contains("The image is good: 20000 bytes (Intel HEX) at 0x0400–0x521F"),
                 qPrintable(shown.message()));
        QVERIFY(start->isEnabled());
        shown.screenshot(QStringLiteral("update-window-ready"));

        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(session.phase(), UpdateSession::Phase::WaitingForBootLoader);
        QVERIFY(shown.message().contains("Put the keyboard into its update mode"));
        QCOMPARE(start->text(), QStringLiteral("Cancel"));
        QVERIFY(shown.child<QLabel>("step2")->text().contains("<b>"));
        shown.screenshot(QStringLiteral("update-window-waiting"));

        slowWrites();
        g_keyboardListed = false;  // the keyboard restarted into its boot loader
        plugBootLoader(session);
        QCOMPARE(session.phase(), UpdateSession::Phase::Updating);
        QTRY_VERIFY(session.stage() == firmware::Stage::Programming && session.progress() > 30);
        QVERIFY(shown.message().contains("Writing the new firmware"));
        const int shownAt = shown.child<QProgressBar>("progress")->value();
        QVERIFY(shownAt > 0 && shownAt < 100);
        shown.screenshot(QStringLiteral("update-window-writing"));

        QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::WaitingForKeyboard, 30000);
        QVERIFY(shown.message().contains("Waiting for the keyboard to restart"));
        QCOMPARE(sim().device.resets, 1);
        g_keyboardListed = true;
        session.deviceMonitor()->inject(DeviceMonitor::Change::Arrival);
        QCOMPARE(session.phase(), UpdateSession::Phase::Done);
        QCOMPARE(shown.message(), QStringLiteral("Done. The keyboard restarted with its new firmware and is back as your "
                                                 "tarnel UK keyboard (USB fff0:0101). You can close this window."));
        QCOMPARE(shown.child<QProgressBar>("progress")->value(), 100);
        QVERIFY(!start->isEnabled());
        shown.screenshot(QStringLiteral("update-window-done"));
        QCOMPARE(flashRange(0x0400, m_firmware.size()), bytes(m_firmware));
        QVERIFY(shown.window.close());
    }

    // Closing while the keyboard is written asks; the answer "stop" ends the update at a
    // safe point, and the window stays to say what the keyboard holds.
    void closingDuringTheUpdateAsksAndThenSaysTheState()
    {
        Shown shown;
        int asked = 0;
        UpdateWindow::confirmStop = [&](QWidget *, const QString &title, const QString &, const QString &,
                                        const QString &) {
            ++asked;
            return title == QLatin1String("Stop the update?") && asked > 1;
        };
        startWriting(shown.session);

        QVERIFY(!shown.window.close());  // "Continue"
        QCOMPARE(asked, 1);
        QVERIFY(shown.session.isUpdating() && !shown.session.stopRequested());
        QVERIFY(!shown.window.close());  // "Stop the update"
        QCOMPARE(asked, 2);
        QVERIFY(shown.session.stopRequested());
        QVERIFY(shown.window.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(shown.session.phase(), UpdateSession::Phase::Failed, 30000);
        QVERIFY2(shown.message().startsWith("The update was stopped on request. The keyboard is in its update mode "
                                            "with incomplete firmware. It is safe to run the update again without "
                                            "unplugging it."),
                 qPrintable(shown.message()));
        QCOMPARE(sim().device.resets, 0);
        shown.screenshot(QStringLiteral("update-window-stopped"));
        QVERIFY(shown.window.close());
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
        startWriting(session);
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
        Shown shown(4, firmware::Language::Chinese);
        QTest::mouseClick(shown.child("chooseButton"), Qt::LeftButton);
        const auto cell = std::find_if(m_firmware.begin(), m_firmware.end(), [](uint8_t b) { return b != 0xFF; });
        // A cell that stays erased where the image wants other bits.
        sim().device.behaviour.stuckCell = 0x0400 + int(cell - m_firmware.begin());
        sim().device.flash[size_t(sim().device.behaviour.stuckCell)] = 0xFF;
        plugBootLoader(shown.session);
        shown.session.start();
        QTRY_COMPARE_WITH_TIMEOUT(shown.session.phase(), UpdateSession::Phase::Failed, 30000);
        QCOMPARE(shown.session.outcome()->state, firmware::KeyboardState::VerifyFailed);
        QVERIFY2(shown.message().contains(QStringLiteral("键盘上的固件与映像不一致"))
                     && shown.message().contains(QStringLiteral("可以放心地再次运行更新")),
                 qPrintable(shown.message()));
        QCOMPARE(sim().device.resets, 0);
        QVERIFY(shown.child("startButton")->isEnabled());
        shown.screenshot(QStringLiteral("update-window-check-failed-chinese"));

        sim().device.behaviour.stuckCell = -1;
        QTest::mouseClick(shown.child("startButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(shown.session.phase(), UpdateSession::Phase::WaitingForKeyboard, 30000);
        shown.session.deviceMonitor()->inject(DeviceMonitor::Change::Arrival);
        QCOMPARE(shown.session.phase(), UpdateSession::Phase::Done);
        QCOMPARE(flashRange(0x0400, m_firmware.size()), bytes(m_firmware));
    }

    void imagesThatCannotBeUsedAreRefusedBeforeAnything()
    {
        Shown shown;
        const QString text = m_folder.filePath(QStringLiteral("readme.bin"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not firmware\n") > 0);
        file.close();
        UpdateWindow::chooseFile = [&](QWidget *, const QString &, const QString &) { return text; };
        QTest::mouseClick(shown.child("chooseButton"), Qt::LeftButton);
        QCOMPARE(shown.session.phase(), UpdateSession::Phase::ImageRefused);
        QVERIFY(shown.message().contains("Nothing was written; the keyboard is unchanged."));
        QVERIFY(!shown.child("startButton")->isEnabled());
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
