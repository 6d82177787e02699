// The transport, byte-exact from the wire trace: feature reports with
// checksum, chunked data blocks with their pauses, exchanges, scrambling,
// open failures, silent devices and the busy handshake.
#include "device/hid_thread.h"
#include "device/scrambling.h"
#include "device/virtual/virtual_backend.h"
#include "support/log_capture.h"
#include "support/test_workspace.h"
#include "support/wire_trace.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

namespace {

const QMap<QString, QString> kKeyboard64 = tableEntry("1234", "0001", "ff00", "0001", 64);
const QMap<QString, QString> kDevice32 = tableEntry("1234", "0002", "ff00", "0001", 32);

// A workspace whose table has one entry, its device connected as virtual:0.
struct Rig
{
    explicit Rig(const QMap<QString, QString> &entry)
    {
        workspace.writeDeviceTable({entry});
        trace = std::make_unique<WireTrace>(workspace.path());
        VirtualHidBackend &hid = installVirtualBackend();
        device = std::make_unique<Hid_Thread>();
        const DeviceInfo &info = device->devices()[0];
        keyboard = hid.add(std::make_shared<VirtualDevice>(
            VirtualDevice::Identity{"virtual:0", info.vid, info.pid, info.usagePage, info.usage},
            std::make_unique<EchoModel>(), info.isEncode));
        device->detectDevices();
    }
    QList<TraceLine> reports(const QString &op) const { return trace->read(op); }

    TestWorkspace workspace;
    std::unique_ptr<WireTrace> trace;
    std::unique_ptr<Hid_Thread> device;
    std::shared_ptr<VirtualDevice> keyboard;
};

void fillCommand(Hid_Thread &device, const QByteArray &bytes1to7)
{
    device.cmdReport[0] = 0;
    std::copy_n(bytes1to7.constData(), 7, device.cmdReport + 1);
    device.cmdReport[8] = device.hidCS(device.cmdReport + 1);
}

} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

private slots:
    void init() { std::fill_n(Hid_Thread::SecrecyCode, 8, 0); }

    void commandReportIsNineBytesWithChecksum()
    {
        Rig rig(kKeyboard64);
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        rig.device->hid553_00H_GetSecrecyCode(0, b1, b2, b3, b4);
        const QList<TraceLine> out = rig.reports(QStringLiteral("FEATURE_OUT"));
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0].path, QStringLiteral("virtual:0"));
        QCOMPARE(out[0].rest, QStringLiteral("00 00 01 02 03 04 00 00 f5"));
        QCOMPARE(rig.reports(QStringLiteral("FEATURE_IN")).value(0).bytes.size(), 9);
        // The probe echoes through the device.
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({1, 2, 3, 4}));
    }

    void traceRecordsEnumerationAndEveryOpen()
    {
        Rig rig(kKeyboard64);
        const QList<TraceLine> lines = rig.trace->read();
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines[0].op, QStringLiteral("ENUM"));
        QCOMPARE(lines[0].path + ' ' + lines[0].rest, QStringLiteral("1234 0001 1"));

        fillCommand(*rig.device, QByteArray::fromHex("0b020000000000"));
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(rig.device->sendCommand(0, 0, false));
        QStringList ops;
        for (const TraceLine &line : rig.trace->read().mid(1))
            ops << line.op + ' ' + line.rest;
        // Each step goes through a freshly opened handle.
        QCOMPARE(ops, QStringList({"OPEN ok", "CLOSE ", "OPEN ok", "FEATURE_OUT 00 0b 02 00 00 00 00 00 f2", "CLOSE "}));
    }

    void blockOf512At64IsEightReportsBetweenTwoPauses()
    {
        Rig rig(kKeyboard64);
        fillCommand(*rig.device, QByteArray::fromHex("08000008000000"));
        for (int i = 0; i < 512; ++i)
            rig.device->payload[i] = uchar(i * 7);
        QVERIFY(rig.device->waitHidIdle());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(rig.device->sendCommand(0, 512, true));
        const qint64 took = clock.elapsed();
        QVERIFY(rig.device->isReady());

        const QList<TraceLine> command = rig.reports(QStringLiteral("FEATURE_OUT"));
        const QList<TraceLine> chunks = rig.reports(QStringLiteral("OUTPUT"));
        QCOMPARE(command.size(), 1);
        QCOMPARE(chunks.size(), 8);
        for (int k = 0; k < 8; ++k) {
            QCOMPARE(chunks[k].bytes.size(), 65);
            QCOMPARE(int(chunks[k].bytes[0]), 0);
            for (int j = 0; j < 64; ++j)
                QCOMPARE(uchar(chunks[k].bytes[1 + j]), uchar((k * 64 + j) * 7));
        }
        QVERIFY2(chunks.first().ms - command.first().ms >= 127, "pause after the command report");
        QVERIFY2(took >= 256, "pause after the data block");
        QCOMPARE(static_cast<EchoModel &>(rig.keyboard->model()).receivedData(),
                 QByteArray(reinterpret_cast<const char *>(rig.device->payload), 512));
    }

    void shortBlockIsOneZeroPaddedReport()
    {
        Rig rig(kDevice32);
        fillCommand(*rig.device, QByteArray::fromHex("30000000000055"));
        std::fill_n(rig.device->payload, 512, uchar(0xee));
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(rig.device->sendCommand(0, 24, false));
        const QList<TraceLine> chunks = rig.reports(QStringLiteral("OUTPUT"));
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].bytes, QByteArray(1, '\0') + QByteArray(24, '\xee') + QByteArray(8, '\0'));
    }

    void oddReportLengthsFromTheTableStayInsideTheBlock()
    {
        Rig rig(tableEntry("1234", "0003", "ff00", "0001", 100));
        fillCommand(*rig.device, QByteArray::fromHex("08000008000000"));
        std::fill_n(rig.device->payload, 512, uchar(0x5a));
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(rig.device->sendCommand(0, 512, false));
        const QList<TraceLine> chunks = rig.reports(QStringLiteral("OUTPUT"));
        QCOMPARE(chunks.size(), 6);
        QCOMPARE(chunks.last().bytes, QByteArray(1, '\0') + QByteArray(12, '\x5a') + QByteArray(88, '\0'));

        // A picture after a key matrix: its short last chunk carries the
        // picture's 28 last bytes and zeros, none of the matrix.
        QByteArray matrix(512, '\xaa'), picture(128, '\x0b');
        rig.device->hidSetKeyMatrix(0, reinterpret_cast<uchar *>(matrix.data()));
        rig.device->hidSetPicture(0, 1, reinterpret_cast<uchar *>(picture.data()));
        const QList<TraceLine> pictureChunks = rig.reports(QStringLiteral("OUTPUT")).mid(6 + 6);
        QCOMPARE(pictureChunks.size(), 2);
        QCOMPARE(pictureChunks.last().bytes, QByteArray(1, '\0') + QByteArray(28, '\x0b') + QByteArray(72, '\0'));

        // Without a report length blocks and reads are refused before
        // anything is sent; plain commands still go out.
        Rig broken(tableEntry("1234", "0004", "ff00", "0001", 0));
        QVERIFY(broken.device->waitHidIdle());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no usable report length"));
        QVERIFY(!broken.device->sendCommand(0, 512, false));
        QVERIFY(broken.device->isReady());
        QVERIFY(broken.reports(QStringLiteral("FEATURE_OUT")).isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no usable report length"));
        QVERIFY(!broken.device->exchangeCommand(0, 128));
        QVERIFY(broken.reports(QStringLiteral("FEATURE_OUT")).isEmpty());
        QVERIFY(broken.device->sendCommand(0, 0, false));
        QVERIFY(broken.device->exchangeCommand(0, 0));
        QCOMPARE(broken.reports(QStringLiteral("FEATURE_OUT")).size(), 2);
    }

    void hugeReportLengthIsLimitedToWhatADeviceCanHave()
    {
        Rig rig(tableEntry("1234", "0005", "ff00", "0001", 2147483647));
        QByteArray profile(128, '\x3c');
        rig.device->hid560_0CH_setProfile(0, reinterpret_cast<uchar *>(profile.data()), 1);
        const QList<TraceLine> chunks = rig.reports(QStringLiteral("OUTPUT"));
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].bytes, QByteArray(1, '\0') + profile + QByteArray(1024 - 128, '\0'));

        rig.keyboard->queueInputReport(profile);
        QByteArray readBack(128, '\0');
        rig.device->hid560_8CH_readProfile(reinterpret_cast<uchar *>(readBack.data()), 1);
        QCOMPARE(readBack, profile);
    }

    void exchangeOf128At64ReadsTwoInputReports()
    {
        Rig rig(kKeyboard64);
        QByteArray first(64, '\x11'), second(64, '\x22');
        rig.keyboard->queueInputReport(first);
        rig.keyboard->queueInputReport(second);
        fillCommand(*rig.device, QByteArray::fromHex("8c010000000000"));
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(rig.device->exchangeCommand(0, 128));
        QCOMPARE(rig.reports(QStringLiteral("INPUT")).size(), 2);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(rig.device->payload), 128), first + second);
        QVERIFY(rig.device->isReady());
        // hidraw drops a closed handle's queued input reports: the answer is
        // read through the handle that sent the command, open all along.
        QStringList ops;
        for (const TraceLine &line : rig.trace->read().mid(1))
            ops << line.op;
        QCOMPARE(ops, QStringList({"OPEN", "CLOSE", "OPEN", "FEATURE_OUT", "FEATURE_IN", "INPUT", "INPUT", "CLOSE"}));
    }

    void scrambledReportsAreDescrambledByTheDevice()
    {
        QMap<QString, QString> entry = kKeyboard64;
        entry.insert(QStringLiteral("isEncode"), QStringLiteral("true"));
        Rig rig(entry);
        uchar b1 = 0x5a, b2 = 0xa5, b3 = 0x0f, b4 = 0xf0;
        rig.device->hid553_00H_GetSecrecyCode(0, b1, b2, b3, b4);

        const QList<VirtualDevice::Record> records = rig.keyboard->records();
        QCOMPARE(records.size(), 2);
        const QByteArray plain = QByteArray::fromHex("0000 5aa50ff0 0000") + char(~char(0x5a + 0xa5 + 0x0f + 0xf0));
        QCOMPARE(records[0].plain.toHex(' '), plain.toHex(' '));
        QByteArray expectedWire = plain;
        Scrambling::encrypt(reinterpret_cast<uint8_t *>(expectedWire.data()) + 1, Hid_Thread::SecrecyCode);
        QCOMPARE(records[0].wire.toHex(' '), expectedWire.toHex(' '));
        QVERIFY(records[0].wire != plain);
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({0x5a, 0xa5, 0x0f, 0xf0}));
    }

    void securityCodeProbeSucceedsOnlyWithTheCode()
    {
        QMap<QString, QString> entry = kKeyboard64;
        entry.insert(QStringLiteral("isEncode"), QStringLiteral("true"));
        entry.insert(QStringLiteral("sCode"), QStringLiteral("735162"));
        Rig rig(entry);
        rig.keyboard->setSecrecyCode("735162");
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        rig.device->hid553_00H_GetSecrecyCode(0, b1, b2, b3, b4);
        QVERIFY(QList<int>({b1, b2, b3, b4}) != QList<int>({1, 2, 3, 4}));

        QVERIFY(rig.device->chkDeviceIsEnCode(0));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Hid_Thread::SecrecyCode), 8), QByteArray("\0" "735162" "\0", 8));
        QCOMPARE(rig.device->currentDeviceIndex(), 0);
    }

    // Busy or unplugged, the probe has not seen the device: no echo.
    void probeThatDidNotRunFails_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("transport busy") << "busy";
        QTest::newRow("device unplugged") << "unplugged";
    }
    void probeThatDidNotRunFails()
    {
        QFETCH(QString, fault);
        Rig rig(kKeyboard64);
        if (fault == QLatin1String("busy")) {
            QVERIFY(rig.device->waitHidIdle());
            QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
        } else {
            rig.keyboard->setFailOpen(true);
        }
        QVERIFY(!rig.device->chkDeviceIsEnCode(0));
        QVERIFY(rig.reports(QStringLiteral("FEATURE_IN")).isEmpty());
    }

    void securityCodeOfWrongLengthIsNotLoaded()
    {
        QMap<QString, QString> entry = kKeyboard64;
        entry.insert(QStringLiteral("sCode"), QStringLiteral("12345"));
        Rig rig(entry);
        QVERIFY(rig.device->chkDeviceIsEnCode(0));  // plain device: the echo comes back
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Hid_Thread::SecrecyCode), 8), QByteArray(8, '\0'));
        QCOMPARE(rig.reports(QStringLiteral("FEATURE_OUT")).size(), 1);  // and still probes
    }

    void openFailureEmptiesThePath()
    {
        Rig rig(kKeyboard64);
        rig.keyboard->setFailOpen(true);
        fillCommand(*rig.device, QByteArray::fromHex("0b020000000000"));
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(!rig.device->sendCommand(0, 0, true));
        QVERIFY(rig.device->devices()[0].path.isEmpty());
        QVERIFY(rig.device->isReady());
        QCOMPARE(rig.reports(QStringLiteral("OPEN")).last().rest, QStringLiteral("fail"));
        // Not connected now: the next command does not touch the seam at all.
        const int linesBefore = rig.trace->read().size();
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(!rig.device->sendCommand(0, 0, true));
        QCOMPARE(rig.trace->read().size(), linesBefore);
    }

    void deviceIndexOutsideTheTableFails()
    {
        Rig rig(kKeyboard64);
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(!rig.device->sendCommand(7, 0, false));
        QVERIFY(!rig.device->exchangeCommand(-1, 0));
        QVERIFY(rig.device->isReady());
    }

    void silentDeviceEndsTheExchangeWithinASecond()
    {
        Rig rig(kKeyboard64);
        rig.keyboard->queueInputReport(QByteArray(64, '\x01'));  // one of two reports
        fillCommand(*rig.device, QByteArray::fromHex("8c000000000000"));
        QVERIFY(rig.device->waitHidIdle());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!rig.device->exchangeCommand(0, 128));
        QVERIFY2(clock.elapsed() < 1600, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(clock.elapsed() >= 900);
        QVERIFY(rig.device->isReady());
        QCOMPARE(rig.reports(QStringLiteral("INPUT")).last().rest, QStringLiteral("timeout"));
    }

    // A keyboard that stops answering costs one transfer time-out, not one
    // per command of a page; the next detection tries it again.
    void unansweringDeviceIsSkippedUntilTheNextDetection()
    {
        Rig rig(kKeyboard64);
        rig.keyboard->setStallCommandReportsMs(1100);
        LogCapture log;
        qsizetype linesAfterFirst = 0;
        for (int command = 0; command < 3; ++command) {
            fillCommand(*rig.device, QByteArray::fromHex("0b020000000000"));
            QVERIFY(rig.device->waitHidIdle());
            QVERIFY(!rig.device->sendCommand(0, 0, false));
            if (command == 0)
                linesAfterFirst = rig.trace->read().size();
        }
        QCOMPARE(rig.trace->read().size(), linesAfterFirst);  // the others never reached the seam
        QCOMPARE(log.count(QStringLiteral("did not answer within")), 1);

        rig.keyboard->setStallCommandReportsMs(0);
        rig.device->detectDevices();
        fillCommand(*rig.device, QByteArray::fromHex("0b020000000000"));
        QVERIFY(rig.device->waitHidIdle());
        QVERIFY(rig.device->sendCommand(0, 0, false));
    }

    void waitHidIdleGivesUpAfterTwoSecondsAndKeepsEventsFlowing()
    {
        Rig rig(kKeyboard64);
        QVERIFY(rig.device->waitHidIdle());  // held from here on
        bool timerFired = false;
        QTimer::singleShot(100, [&] { timerFired = true; });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!rig.device->waitHidIdle());
        QVERIFY2(clock.elapsed() >= 2040 && clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(timerFired);
    }

    void busyTransportLogsTheFailureLineAndSendsNothing()
    {
        Rig rig(kKeyboard64);
        QVERIFY(rig.device->waitHidIdle());
        uchar b1 = 7, b2 = 7, b3 = 7, b4 = 7;
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
        rig.device->hid553_00H_GetSecrecyCode(0, b1, b2, b3, b4);
        QCOMPARE(int(b1), 7);
        QVERIFY(rig.reports(QStringLiteral("FEATURE_OUT")).isEmpty());
    }

    void headsetReportSkipsTheHandshake()
    {
        Rig rig(kKeyboard64);
        QVERIFY(rig.device->waitHidIdle());  // busy: the raw report goes out all the same
        const QByteArray report = QByteArray::fromHex("ff01") + QByteArray(14, '\0');
        std::copy_n(report.constData(), 16, rig.device->cmdReport);
        QVERIFY(rig.device->headSetHidSet(0, 16));
        QCOMPARE(rig.reports(QStringLiteral("OUTPUT")).value(0).bytes.toHex(), report.left(16).toHex());
        QVERIFY(rig.device->isReady());
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
