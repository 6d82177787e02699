// The program's devices through the Linux kernel: hidapi over hidraw, the
// kernel's HID core and uhid devices, udev and the access rule, burnlet over
// libHIDDLL. Runs inside the test VM only (run_in_vm.sh); anywhere else each
// scenario skips.
#include "burnlet.h"
#include "device/virtual/keyboard_model.h"
#include "device/virtual/vendor_report_model.h"
#include "kernel_rig.h"
#include "app/widget.h"
#include "platform/device_monitor.h"
#include "support/command_drivers.h"
#include "support/log_capture.h"
#include "update_session.h"

#include <QElapsedTimer>
#include <csignal>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QtTest>

namespace {

constexpr quint16 kVortan = 0xfff0;
constexpr int kPlainKeyboard = 0, kScrambledKeyboard = 4, kAccessory = 5;
// A failed command may wait for the kernel's own time-out on a report the
// device never answers (5 s); it must not wait longer than twice that.
constexpr int kFailedCommandBoundMs = 10000;
constexpr int kImageAddress = 0x0100;
constexpr quint16 kBootLoaderVid = 0x04d9, kBootLoaderPid = 0x8022;
constexpr uint8_t kOldFirmware = 0x5A;
// An update through the emulated CPU takes a while; a stuck one must still end the test.
constexpr int kUpdateBoundMs = 300000;

// A boot loader holding old firmware, plugged in and listed.
std::unique_ptr<EmulatedBootLoader> plugBootLoader()
{
    auto loader = std::make_unique<EmulatedBootLoader>([](bootsim::BootLoaderModel &model) {
        std::fill(model.flash.begin(), model.flash.end(), kOldFirmware);
    });
    if (!loader->device->isCreated() || !waitForInterfaces(kBootLoaderVid, kBootLoaderPid, 1))
        return nullptr;
    return loader;
}

QByteArray flashOf(EmulatedBootLoader &loader, int address, int length)
{
    QByteArray range;
    loader.withModel([&](bootsim::BootLoaderModel &model) {
        range = QByteArray(reinterpret_cast<const char *>(model.flash.data()) + address, length);
    });
    return range;
}

int resetsOf(EmulatedBootLoader &loader)
{
    int resets = 0;
    loader.withModel([&](bootsim::BootLoaderModel &model) { resets = model.resets; });
    return resets;
}

QString writeFile(const QTemporaryDir &folder, const QString &name, const QByteArray &content)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    return file.fileName();
}

uchar *bytesOf(QByteArray &array) { return reinterpret_cast<uchar *>(array.data()); }

QList<int> applyKeyboardPage(Hid_Thread &device) { return KeyboardPage().apply(device); }

struct PageRun
{
    QJsonObject state;
    QStringList wire;
    QList<int> answers;
    QSet<QString> opened;
};

// Every command family a 560 mouse answers, then its reading commands.
QList<int> applyMouse560(Hid_Thread &device)
{
    QByteArray profile = pattern(128, 5), keys = pattern(64, 6), macro = pattern(128, 7);
    device.hid560_01H_SetKeyboardoption(0, 3, 4);
    device.hid560_02H_SetCurrentProfile(0, 2);
    device.hid560_03H_SetReportRate(0, 2);
    device.hid560_04H_SetCurrentDPI(0, 3);
    device.hid560_0CH_setProfile(0, bytesOf(profile), 1);
    device.hid560_0DH_SetKeyMatrix(0, bytesOf(keys), 2);
    device.hid560_0FH_SetMacroKey(0, 4, bytesOf(macro));
    uchar option1 = 0, option2 = 0, current = 0, stage1 = 0, stage2 = 0;
    device.hid560_81H_GetKeyboardoption(0, option1, option2);
    device.hid560_82H_GetCurrentProfile(0, current);
    device.hid560_84H_GetCurrentDPI(0, stage1, stage2);
    QByteArray readBack(128, '\0');
    device.hid560_8CH_readProfile(bytesOf(readBack), 1);
    return {option1, option2, current, stage1, stage2, readBack == profile};
}

using PageDriver = QList<int> (*)(Hid_Thread &);

PageRun runPage(DeviceRig::Backend backend, const QList<QMap<QString, QString>> &table, int entry, PageDriver driver,
                UhidDevice::AnswerTiming timing = UhidDevice::AnswerTiming::AfterAnswerReport)
{
    DeviceRig rig(backend, table);
    rig.answerTiming = timing;
    if (!rig.plug(entry))
        return {};
    rig.device->detectDevices();
    // Detection gives index 0 to a keyboard only; a mouse is reached directly.
    if (!rig.device->devices()[entry].isKeyboard())
        rig.device->setDevicePath(0, rig.commandPath(entry));
    PageRun run;
    run.answers = driver(*rig.device);
    run.state = rig.model(entry)->state();
    const QList<TraceLine> lines = rig.trace->read();
    run.wire = wireOf(lines);
    for (const TraceLine &line : lines)
        if (line.op == QLatin1String("OPEN"))
            run.opened.insert(line.path);
    if (backend == DeviceRig::Kernel) {
        for (const auto &emulated : rig.emulated) {
            if (emulated->command->misfitReports() != 0)
                run.wire.append(QStringLiteral("reports of a size the descriptor does not declare: %1")
                                    .arg(emulated->command->misfitReports()));
            // uhid tells of the last close a moment after it happened.
            if (!QTest::qWaitFor([&] { return !emulated->command->isOpen(); }, 1000))
                run.wire.append(QStringLiteral("the command interface was left open"));
        }
    }
    return run;
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

QString udevProperties(const QByteArray &node)
{
    QProcess::execute(QStringLiteral("udevadm"), {QStringLiteral("settle"), QStringLiteral("--timeout=30")});
    QProcess info;
    info.start(QStringLiteral("udevadm"), {QStringLiteral("info"), QStringLiteral("--query=property"),
                                           QStringLiteral("--name=") + QString::fromLatin1(node)});
    info.waitForFinished(30000);
    return QString::fromLocal8Bit(info.readAllStandardOutput());
}

} // namespace

class KernelScenarios : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!insideTestVm())
            QSKIP("runs inside the kernel test VM only (tests/kernel/run_in_vm.sh)");
        std::fill_n(Hid_Thread::SecrecyCode, 8, 0);
    }

    void detectionFindsTheCommandInterfaces()
    {
        DeviceRig rig(DeviceRig::Kernel);
        QVERIFY(rig.plug(kPlainKeyboard));
        QVERIFY(rig.plug(kAccessory));
        rig.device->detectDevices();
        QCOMPARE(int(rig.device->connectionState()), (1 << kPlainKeyboard) | (1 << kAccessory));
        // Index 0 is the keyboard's, though the accessory's entry comes later.
        QCOMPARE(rig.device->devices()[0].path.toLatin1(), hidrawPath(kVortan, 0x0101, 0xff00, 0x0001));
        QCOMPARE(rig.device->devices()[kAccessory].path2.toLatin1(), hidrawPath(kVortan, 0x0201, 0xff01, 0x0001));
        QVERIFY(!hidrawPath(kVortan, 0x0101, 0x0001, 0x0006).isEmpty());  // the boot keyboard is there

        rig.emulated.remove(kAccessory);
        QVERIFY(waitForInterfaces(kVortan, 0x0201, 0));
        rig.device->detectDevices();
        QCOMPARE(int(rig.device->connectionState()), 1 << kPlainKeyboard);
        QCOMPARE(rig.device->devices()[0].path.toLatin1(), hidrawPath(kVortan, 0x0101, 0xff00, 0x0001));
    }

    void keyboardPageCrossesTheKernelAsItCrossesTheVirtualBackend_data()
    {
        QTest::addColumn<int>("entry");
        QTest::newRow("plain") << kPlainKeyboard;
        QTest::newRow("scrambled") << kScrambledKeyboard;
    }
    void keyboardPageCrossesTheKernelAsItCrossesTheVirtualBackend()
    {
        QFETCH(int, entry);
        const PageRun expected = runPage(DeviceRig::Virtual, {}, entry, applyKeyboardPage);
        const PageRun kernel = runPage(DeviceRig::Kernel, {}, entry, applyKeyboardPage);
        QVERIFY(!kernel.wire.isEmpty());
        QCOMPARE(kernel.state, expected.state);
        QCOMPARE(kernel.state.value(QStringLiteral("ignoredReports")).toInt(), 0);
        QCOMPARE(kernel.wire, expected.wire);
        QCOMPARE(kernel.answers, QList<int>({9, 8, 7, 6}));
        // What both paths leave is what the page sent, not a shared mistake.
        const KeyboardPage page;
        QCOMPARE(kernel.state.value(QStringLiteral("keyMatrix")).toString().toLatin1(), page.matrix.toHex());
        QCOMPARE(kernel.state.value(QStringLiteral("stageColours")).toString().toLatin1(), page.colours.toHex());
        // Only the command interface was ever opened, never the boot keyboard.
        QCOMPARE(kernel.opened.size(), 1);
        QVERIFY(!kernel.opened.contains(QString::fromLatin1(hidrawPath(kVortan, 0x0101 + entry, 0x0001, 0x0006))));
    }

    // The profile read's answer comes as input reports: whether the mouse
    // sends them once its answer report is collected or the moment the
    // command arrives, none is lost to a handle closing.
    void mouse560CrossesTheKernelAsItCrossesTheVirtualBackend_data()
    {
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("answer after the answer report") << false;
        QTest::newRow("answer at once") << true;
    }
    void mouse560CrossesTheKernelAsItCrossesTheVirtualBackend()
    {
        QFETCH(bool, atOnce);
        const auto timing = atOnce ? UhidDevice::AnswerTiming::AtOnce : UhidDevice::AnswerTiming::AfterAnswerReport;
        QMap<QString, QString> mouse = tableEntry("fff0", "0301", "ff00", "0001", 64);
        mouse.insert(QStringLiteral("type"), QStringLiteral("1"));
        const PageRun expected = runPage(DeviceRig::Virtual, {mouse}, 0, applyMouse560);
        const PageRun kernel = runPage(DeviceRig::Kernel, {mouse}, 0, applyMouse560, timing);
        QVERIFY(!kernel.wire.isEmpty());
        QCOMPARE(kernel.state, expected.state);
        QCOMPARE(kernel.state.value(QStringLiteral("ignoredReports")).toInt(), 0);
        QCOMPARE(kernel.wire, expected.wire);
        QCOMPARE(kernel.answers, expected.answers);
        QCOMPARE(kernel.answers.last(), 1);  // the profile read back is the one sent
    }

    void accessRuleGrantsTheCommandInterfaceOnly()
    {
        DeviceRig rig(DeviceRig::Kernel);
        QVERIFY(rig.plug(kPlainKeyboard));
        const QString command = udevProperties(hidrawPath(kVortan, 0x0101, 0xff00, 0x0001));
        const QString keys = udevProperties(hidrawPath(kVortan, 0x0101, 0x0001, 0x0006));
        QVERIFY2(command.contains(QStringLiteral("GEARCONSOLE_COMMAND_INTERFACE=1")), qPrintable(command));
        QVERIFY2(command.contains(QRegularExpression(QStringLiteral("\nTAGS=.*:uaccess:"))), qPrintable(command));
        QVERIFY2(keys.contains(QStringLiteral("DEVNAME=")), qPrintable(keys));
        QVERIFY2(!keys.contains(QStringLiteral("uaccess")), qPrintable(keys));
    }

    // The keyboard goes away in the middle of a 512-byte block, or stops
    // answering, while the accessory's vendor reports are being polled.
    void failingKeyboardLeavesTheProgramWorking_data()
    {
        QTest::addColumn<bool>("unplugged");
        QTest::newRow("unplugged mid-block") << true;
        QTest::newRow("stops answering") << false;
    }
    void failingKeyboardLeavesTheProgramWorking()
    {
        QFETCH(bool, unplugged);
        DeviceRig rig(DeviceRig::Kernel);
        QVERIFY(rig.plug(kAccessory));
        QVERIFY(rig.plug(kPlainKeyboard));
        rig.device->detectDevices();
        const QString keyboardNode = QString::fromLatin1(hidrawPath(kVortan, 0x0101, 0xff00, 0x0001));
        QCOMPARE(rig.device->devices()[0].path, keyboardNode);
        rig.device->startPollingUSBVendorCmd();
        auto &vendor = dynamic_cast<VendorReportModel &>(rig.emulated[kAccessory]->vendorReports->model());
        vendor.sendVendorValue(7);
        QTRY_COMPARE_WITH_TIMEOUT(rig.device->getSupportData().toInt(), 7, 10000);

        UhidDevice &keyboard = *rig.emulated[kPlainKeyboard]->command;
        if (unplugged)
            keyboard.unplugAfterOutputs(3);
        else
            keyboard.setAnswering(false);
        QByteArray matrix = pattern(512, 1);
        // uhid takes output reports without waiting for the device, so the
        // whole block may be in the kernel before the removal, and a failed
        // write leaves the path for the next open to clear: commands go on
        // until one finds the device gone (two at most). Each fails within
        // its bound with one line at most.
        QStringList logged;
        int linesAtMost = 0;
        for (int command = 0; command < (unplugged ? 2 : 1) && !rig.device->devices()[0].path.isEmpty(); ++command) {
            if (command > 0)
                QVERIFY(waitForInterfaces(kVortan, 0x0101, 1));
            LogCapture log;
            QElapsedTimer clock;
            clock.start();
            rig.device->hidSetKeyMatrix(0, bytesOf(matrix));
            const qint64 elapsed = clock.elapsed();
            const QStringList lines = log.lines();
            logged += lines;
            linesAtMost = qMax(linesAtMost, int(lines.size()));
            qInfo() << "command" << command << "ended after" << elapsed << "ms";
            QVERIFY2(elapsed < kFailedCommandBoundMs, qPrintable(QString::number(elapsed)));
        }
        QVERIFY2(linesAtMost == 1, qPrintable(logged.join(QLatin1Char('\n'))));
        QVERIFY(rig.device->isReady());
        QCOMPARE(rig.device->devices()[0].path.isEmpty(), unplugged);
        QCOMPARE(dynamic_cast<KeyboardModel &>(rig.model(kPlainKeyboard)->model()).keyMatrix() == matrix, false);

        // The accessory still reports, and the keyboard works again once back.
        vendor.sendVendorValue(9);
        QTRY_COMPARE_WITH_TIMEOUT(rig.device->getSupportData().toInt(), 9, 10000);
        if (unplugged) {
            rig.emulated.remove(kPlainKeyboard);
            QVERIFY(waitForInterfaces(kVortan, 0x0101, 0));
            QVERIFY(rig.plug(kPlainKeyboard));
            rig.device->detectDevices();
            QCOMPARE(int(rig.device->connectionState()), (1 << kPlainKeyboard) | (1 << kAccessory));
            QCOMPARE(rig.device->devices()[0].path.toLatin1(), hidrawPath(kVortan, 0x0101, 0xff00, 0x0001));
        } else {
            // A device that did not answer is skipped until detection finds
            // it again, instead of costing every command the kernel's wait.
            keyboard.setAnswering(true);
            rig.device->hidSetKeyMatrix(0, bytesOf(matrix));
            QCOMPARE(dynamic_cast<KeyboardModel &>(rig.model(kPlainKeyboard)->model()).keyMatrix() == matrix, false);
            rig.device->detectDevices();
            QCOMPARE(rig.device->devices()[0].path, keyboardNode);
        }
        rig.device->hidSetKeyMatrix(0, bytesOf(matrix));
        QCOMPARE(dynamic_cast<KeyboardModel &>(rig.model(kPlainKeyboard)->model()).keyMatrix(), matrix);
    }

    // Arrivals and removals restart the device timer as the window wires it:
    // a burst of them gives one detection, a timer's length after the last.
    void hotplugBurstGivesOneDetection()
    {
        DeviceRig rig(DeviceRig::Kernel);
        DeviceMonitor monitor;
        QVERIFY(monitor.isListening());
        QTimer deviceTimer;
        deviceTimer.setInterval(Widget::kDeviceTimerMs);
        deviceTimer.setSingleShot(true);
        QElapsedTimer clock;
        clock.start();
        qint64 lastChange = 0;
        QList<qint64> detections;
        QList<int> states;
        connect(&monitor, &DeviceMonitor::deviceChanged, &deviceTimer, [&](DeviceMonitor::Change change) {
            if (change != DeviceMonitor::Change::Other) {
                lastChange = clock.elapsed();
                deviceTimer.start();
            }
        });
        connect(&deviceTimer, &QTimer::timeout, &deviceTimer, [&] {
            detections.append(clock.elapsed() - lastChange);
            rig.device->detectDevices();
            states.append(rig.device->connectionState());
        });

        for (int i = 0; i < 3; ++i) {
            if (i > 0) {
                rig.emulated.remove(kPlainKeyboard);
                QVERIFY(waitForInterfaces(kVortan, 0x0101, 0));
            }
            QVERIFY(rig.plug(kPlainKeyboard));
            QTest::qWait(100);
        }
        QTRY_COMPARE_WITH_TIMEOUT(detections.size(), 1, 15000);
        QTest::qWait(Widget::kDeviceTimerMs + 500);
        QCOMPARE(detections.size(), 1);
        qInfo() << "detection" << detections[0] << "ms after the last change";
        // The window's timer is a coarse one, which Qt may fire up to 5 % early;
        // the burst itself lasts longer than that slack, so a timer started by
        // the first change alone would still come too soon.
        QVERIFY2(detections[0] >= Widget::kDeviceTimerMs * 95 / 100 - 20, qPrintable(QString::number(detections[0])));
        QCOMPARE(states, QList<int>({1 << kPlainKeyboard}));

        rig.emulated.remove(kPlainKeyboard);
        QTRY_COMPARE_WITH_TIMEOUT(detections.size(), 2, 15000);
        QCOMPARE(states.last(), 0);
    }

    // libHIDDLL hands the device exactly the bytes of each call, whatever the block size:
    // a transfer in odd-sized blocks arrives whole and in order, verifies, and a changed
    // byte is found. Totals keep each call's reports within what uhid queues (32), since
    // it does not hold the writer back as a USB endpoint does.
    void hiddllCarriesExactlyTheBytesItIsGiven_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("total");
        for (const auto &[block, total] : QList<QPair<int, int>>{{1, 23}, {8, 185}, {48, 1001}, {64, 701}, {100, 1001}, {1024, 1025}})
            QTest::addRow("program and verify, block %d, %d bytes", block, total) << false << block << total;
        for (const auto &[block, total] : QList<QPair<int, int>>{{1, 23}, {8, 41}, {48, 97}, {64, 129}, {100, 201}, {1024, 255}})
            QTest::addRow("option data, block %d, %d bytes", block, total) << true << block << total;
    }
    void hiddllCarriesExactlyTheBytesItIsGiven()
    {
        QFETCH(bool, option);
        QFETCH(int, blockSize);
        QFETCH(int, total);
        std::unique_ptr<EmulatedBootLoader> loader = plugBootLoader();
        QVERIFY(loader);
        loader->withModel([](bootsim::BootLoaderModel &model) {
            std::fill(model.flash.begin(), model.flash.end(), bootsim::kErased);
        });
        QCOMPARE(ConnectToWriter(), uint32_t(BURNLET_OK));
        QCOMPARE(EntryDownloadMode(), BURNLET_OK);
        QByteArray data = pattern(total, blockSize);
        const uint16_t address = option ? 0 : 0x1001;
        int32_t checked = BURNLET_VERIFY_FAILED;
        if (option) {
            QCOMPARE(WriteOption(address, uint16_t(total), bytesOf(data), uint16_t(blockSize)), BURNLET_OK);
        } else {
            QCOMPARE(Program(address, uint16_t(total), bytesOf(data), 0, uint16_t(blockSize), 0, 100, true, true),
                     BURNLET_OK);
            loader->withModel([&](bootsim::BootLoaderModel &model) { model.flash[address + total / 2] ^= 0x01; });
            checked = Verify(address, uint16_t(total), bytesOf(data), 0, uint16_t(blockSize), 1, 0, 100);
            loader->withModel([&](bootsim::BootLoaderModel &model) { model.flash[address + total / 2] ^= 0x01; });
        }
        DisConnectWriter();

        QByteArray written;
        size_t overrun = 1;
        int malformed = 1;
        loader->withModel([&](bootsim::BootLoaderModel &model) {
            const auto &memory = option ? model.option : model.flash;
            written = QByteArray(reinterpret_cast<const char *>(memory.data()) + address, total);
            overrun = model.overrunBytes;
            malformed = model.malformedReports;
        });
        QCOMPARE(written, data);
        QCOMPARE(checked, BURNLET_VERIFY_FAILED);  // the changed byte was found
        QCOMPARE(overrun, size_t(0));
        QCOMPARE(malformed, 0);
        QCOMPARE(loader->device->misfitReports(), 0);
    }

    // The firmware update as a user goes through it, through the kernel: an image that does
    // not fit is refused before anything is touched; the keyboard is restarted into its
    // boot loader, found through the device monitor, erased, written, verified, restarted,
    // and comes back under its own ids; an unplug in the middle says to run it again, and
    // a second run completes it; burnlet-flash interrupted by SIGINT stops at a safe point
    // and says what the keyboard holds.
    void firmwareUpdateThroughTheKernel()
    {
        QTemporaryDir folder;
        const firmware::Edition &tarnelUK = firmware::edition(kPlainKeyboard);
        const KeyboardIds ownIds{kVortan, 0x0101};

        // Too large for a keyboard with 16 KiB of flash: refused, the device untouched.
        {
            std::unique_ptr<EmulatedBootLoader> loader = plugBootLoader();
            QVERIFY(loader);
            const firmware::Edition small{kPlainKeyboard, tarnelUK.program, tarnelUK.name, {0x4000, 128}};
            UpdateSession session(small, ownIds, firmware::Language::English);
            session.chooseImage(writeFile(folder, "big.bin", pattern(0x4001, 3)));
            session.start();
            QCOMPARE(session.phase(), UpdateSession::Phase::ImageRefused);
            QVERIFY2(session.message().contains("beyond the keyboard's flash")
                         && session.message().contains("Nothing was written; the keyboard is unchanged."),
                     qPrintable(session.message()));
            QTest::qWait(500);
            loader->withModel([](bootsim::BootLoaderModel &model) {
                QCOMPARE(model.erases, 0);
                QVERIFY(!model.downloadMode);
            });
            QCOMPARE(flashOf(*loader, 0, 0x4001), QByteArray(0x4001, char(kOldFirmware)));
        }
        QVERIFY(waitForInterfaces(kBootLoaderVid, kBootLoaderPid, 0));

        // End to end: the keyboard goes into its update mode while the window waits.
        const QByteArray image = pattern(8 * 1024 + 1, 21);
        {
            DeviceRig rig(DeviceRig::Kernel);
            QVERIFY(rig.plug(kPlainKeyboard));
            UpdateSession session(tarnelUK, ownIds, firmware::Language::English);
            QVERIFY(session.deviceMonitor()->isListening());
            session.chooseImage(writeFile(folder, "firmware.hex.txt", intelHex(0, image)));
            QCOMPARE(session.phase(), UpdateSession::Phase::Ready);
            session.start();
            QCOMPARE(session.phase(), UpdateSession::Phase::WaitingForBootLoader);

            rig.emulated.remove(kPlainKeyboard);
            QVERIFY(waitForInterfaces(kVortan, 0x0101, 0));
            std::unique_ptr<EmulatedBootLoader> loader = plugBootLoader();
            QVERIFY(loader);
            QTRY_VERIFY_WITH_TIMEOUT(resetsOf(*loader) > 0 || session.phase() == UpdateSession::Phase::Failed,
                                     kUpdateBoundMs);
            QVERIFY2(session.phase() != UpdateSession::Phase::Failed, qPrintable(session.message()));
            // The restart: the boot loader goes, the keyboard comes back with its own ids.
            loader->unplug();
            QVERIFY(waitForInterfaces(kBootLoaderVid, kBootLoaderPid, 0));
            QVERIFY(rig.plug(kPlainKeyboard));
            QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::Done, 30000);
            QVERIFY2(session.message().contains("is back as your tarnel UK keyboard (USB fff0:0101)"),
                     qPrintable(session.message()));
            QCOMPARE(session.progress(), 100);
            QCOMPARE(flashOf(*loader, 0, image.size()), image);
            QCOMPARE(flashOf(*loader, 0x2080, 16), QByteArray(16, char(kOldFirmware)));  // past the image's pages
            QCOMPARE(resetsOf(*loader), 1);
        }

        // Unplugged while the firmware is written: the message says to run it again; a
        // second run, with the keyboard back in its update mode, completes the update.
        {
            std::unique_ptr<EmulatedBootLoader> loader = plugBootLoader();
            QVERIFY(loader);
            UpdateSession session(tarnelUK, std::nullopt, firmware::Language::English);
            const QByteArray firmware = pattern(16 * 1024, 22);
            session.chooseImage(writeFile(folder, "firmware.bin", firmware));
            // The blank check of 16 KiB takes 768 reports; forty more are well into the writing.
            loader->device->unplugAfterOutputs(768 + 40);
            session.start();
            QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::Failed, kUpdateBoundMs);
            QCOMPARE(session.outcome()->state, firmware::KeyboardState::Incomplete);
            QVERIFY2(session.message().contains("firmware is incomplete")
                         && session.message().contains("run the update again"),
                     qPrintable(session.message()));
            QCOMPARE(resetsOf(*loader), 0);

            loader->unplug();
            loader->plugIn();
            QVERIFY(waitForInterfaces(kBootLoaderVid, kBootLoaderPid, 1));
            session.start();
            QTRY_COMPARE_WITH_TIMEOUT(session.phase(), UpdateSession::Phase::Done, kUpdateBoundMs);
            QCOMPARE(flashOf(*loader, 0, firmware.size()), firmware);
            QCOMPARE(resetsOf(*loader), 1);
        }
        QVERIFY(waitForInterfaces(kBootLoaderVid, kBootLoaderPid, 0));

        // burnlet-flash and SIGINT: it ends at a safe point, says so last and exits 3.
        {
            std::unique_ptr<EmulatedBootLoader> loader = plugBootLoader();
            QVERIFY(loader);
            QProcess tool;
            tool.start(QStringLiteral(BURNLET_FLASH_PATH), {writeFile(folder, "tool.bin", pattern(32 * 1024, 23))});
            QTRY_VERIFY_WITH_TIMEOUT(loader->device->outputReports() > 768 * 2 + 20, kUpdateBoundMs);
            ::kill(pid_t(tool.processId()), SIGINT);
            QVERIFY(tool.waitForFinished(60000));
            const QStringList lines = QString::fromUtf8(tool.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
            QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 3, qPrintable(lines.last()));
            QVERIFY2(lines.last().contains("The update was stopped on request. The keyboard is in its update mode with "
                                           "incomplete firmware. It is safe to run the update again without unplugging "
                                           "it."),
                     qPrintable(lines.last()));
            QCOMPARE(resetsOf(*loader), 0);
        }
    }

    void burnletProgramsAndVerifiesThroughHidraw()
    {
        QTemporaryDir folder;
        QByteArray image = pattern(300, 9);
        image[0x10] = 0x12;  // not what a cell stuck erased holds
        const QString file = folder.path() + QStringLiteral("/fw.hex");
        QFile hex(file);
        QVERIFY(hex.open(QIODevice::WriteOnly) && hex.write(intelHex(kImageAddress, image)) > 0);
        hex.close();

        struct Outcome { int exitCode; QByteArray err; QByteArray flash; int misfits; };
        auto program = [&](int stuckCell) {
            EmulatedBootLoader loader;
            if (!loader.device->isCreated() || !waitForInterfaces(0x04d9, 0x8022, 1))
                return Outcome{-1, "boot loader not plugged", {}, 0};
            if (stuckCell >= 0) {
                // A cell that stays erased, where the image wants other bits.
                loader.model().behaviour.stuckCell = stuckCell;
                loader.model().flash[size_t(stuckCell)] = bootsim::kErased;
            }
            QProcess tool;
            tool.start(QStringLiteral(BURNLET_FLASH_PATH), {QStringLiteral("--verify"), file});
            tool.waitForFinished(300000);
            const auto &flash = loader.model().flash;
            Outcome outcome{tool.exitCode(), tool.readAllStandardError(),
                            QByteArray(reinterpret_cast<const char *>(flash.data()) + kImageAddress, image.size()),
                            loader.device->misfitReports()};
            loader.device.reset();
            waitForInterfaces(0x04d9, 0x8022, 0);
            return outcome;
        };

        const Outcome good = program(-1);
        QVERIFY2(good.exitCode == 0, good.err.constData());
        QCOMPARE(good.flash, image);
        QCOMPARE(good.misfits, 0);

        const Outcome corrupted = program(kImageAddress + 0x10);
        QCOMPARE(corrupted.exitCode, 1);
        QVERIFY2(corrupted.err.contains("does not match the image"), corrupted.err.constData());
    }
};

QTEST_GUILESS_MAIN(KernelScenarios)
#include "tst_kernel_scenarios.moc"
