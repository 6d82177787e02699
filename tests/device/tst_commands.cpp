// Every device command, byte-exact on the wire: the command report, the
// data block, the pauses, the answers of the reading commands and the
// failure lines.
#include "device/hid_thread.h"
#include "device/main_window_link.h"
#include "device/virtual/virtual_backend.h"
#include "support/test_workspace.h"
#include "support/wire_trace.h"

#include <QElapsedTimer>
#include <QtTest>

#include <functional>

namespace {

using Call = std::function<void(Hid_Thread &)>;

struct GunSetting : MainWindowLink
{
    bool gun = false;
    bool isGun() const override { return gun; }
};

// Answers every command report with a fixed answer report, and tells the
// test of each command report it receives.
class ScriptedModel : public EchoModel
{
public:
    QByteArray answer = QByteArray(9, '\0');
    std::function<void(const QByteArray &)> onCommand;
    QByteArray answerReport() override { return answer; }
    void commandReport(const QByteArray &report) override
    {
        EchoModel::commandReport(report);
        if (onCommand)
            onCommand(report);
    }
};

// Six table entries like the shipped ones; every entry is pointed at one
// virtual device, so any device index reaches it.
struct CommandRig
{
    explicit CommandRig(int reportLength = 64)
    {
        QList<QMap<QString, QString>> table;
        for (int i = 0; i < 6; ++i)
            table.append(tableEntry("abcd", "0001", "ff00", "0001", reportLength));
        workspace.writeDeviceTable(table);
        trace = std::make_unique<WireTrace>(workspace.path());
        VirtualHidBackend &hid = installVirtualBackend();
        auto scripted = std::make_unique<ScriptedModel>();
        model = scripted.get();
        device = hid.add(std::make_shared<VirtualDevice>(VirtualDevice::Identity{"virtual:0", 0xabcd, 1, 0xff00, 1},
                                                         std::move(scripted)));
        hid_thread = std::make_unique<Hid_Thread>();
        hid_thread->setWindow(&gun);
        for (int i = 0; i < 6; ++i)
            hid_thread->setDevicePath(i, QStringLiteral("virtual:0"));
    }

    QStringList wire(const QString &op) const
    {
        QStringList lines;
        for (const TraceLine &line : trace->read(op))
            lines << line.rest;
        return lines;
    }

    TestWorkspace workspace;
    std::unique_ptr<WireTrace> trace;
    GunSetting gun;
    ScriptedModel *model = nullptr;
    std::shared_ptr<VirtualDevice> device;
    std::unique_ptr<Hid_Thread> hid_thread;
};

QByteArray block(int length, int seed)
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = char(seed + i);
    return bytes;
}

uchar *bytesOf(QByteArray &array) { return reinterpret_cast<uchar *>(array.data()); }

} // namespace

Q_DECLARE_METATYPE(Call)

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void commandReports_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("blockLength");
        QTest::addColumn<bool>("settled");

        auto row = [](const char *name, Call call, const char *report, int blockLength, bool settled) {
            QTest::newRow(name) << call << QString::fromLatin1(report) << blockLength << settled;
        };
        static QByteArray b3 = block(3, 0x10), b8 = block(8, 0x20), b24 = block(24, 0x30), b64 = block(64, 0x40),
                          b128 = block(128, 0x50), b192 = block(192, 0x60), b512 = block(512, 0x70);

        row("553 03 keyboard option", [](Hid_Thread &h) { h.hid553_03H_SetKeyboardoption(0, 1, 2, 3, 4); },
            "00 03 01 02 03 04 00 00 f2", 0, false);
        row("553 04 gun data", [](Hid_Thread &h) { h.hid553_04H_SetGunData(0, 1, 2, 3, 4); },
            "00 04 00 01 02 03 04 00 f1", 0, false);
        row("560 01 keyboard option", [](Hid_Thread &h) { h.hid560_01H_SetKeyboardoption(0, 5, 6); },
            "00 01 05 06 00 00 00 00 f3", 0, false);
        row("ARM 01 report rate", [](Hid_Thread &h) { h.hidARM_01H_SetReportRate(0, 1); },
            "00 01 01 03 03 0f 00 00 e8", 0, true);
        row("553 0B current DPI", [](Hid_Thread &h) { h.hid553_0BH_SetCurrentDPI(1, 2); },
            "00 0b 02 00 00 00 00 00 f2", 0, true);
        row("560 02 current profile", [](Hid_Thread &h) { h.hid560_02H_SetCurrentProfile(0, 3); },
            "00 02 03 00 00 00 00 00 fa", 0, false);
        row("553 02 current key matrix", [](Hid_Thread &h) { h.hid553_02H_SetCurrentKeyMatrix(0, 1); },
            "00 02 01 00 00 00 00 00 fc", 0, true);
        row("keyboard 06 lighting", [](Hid_Thread &h) { h.hidSetRGBLedEffect(0, 2, 0, 0x80, 3, 1); },
            "00 06 00 02 03 80 00 01 73", 0, true);
        row("mousepad mode 3 puts direction", [](Hid_Thread &h) { h.hidmousePad_SetRGBLedEffect(2, 3, 2, 50, 2, 1, 10, 20, 30); },
            "00 08 03 32 02 01 0a 14 1e", 0, true);
        row("mousepad mode 1 puts colour x 16", [](Hid_Thread &h) { h.hidmousePad_SetRGBLedEffect(2, 1, 2, 50, 2, 1, 10, 20, 30); },
            "00 08 01 32 02 20 0a 14 1e", 0, true);
        row("accessory 01 lighting", [](Hid_Thread &h) { h.hidsupport_SetRGBLedEffect(5, 2, 7, 4, 3, 1, 10, 20, 30); },
            "00 01 02 03 04 0a 14 1e b9", 0, true);
        row("576 08 lighting", [](Hid_Thread &h) { h.hid576_08H_SetRGBLedEffect(0, 1, 2, 3, 4, 5, 6, 7); },
            "00 08 01 02 03 04 05 06 07", 0, true);
        row("553 0C fixed colour", [](Hid_Thread &h) { h.hid553_0CH_SetFixLEDColor(0, bytesOf(b3)); },
            "00 0c 10 11 12 00 00 00 c0", 0, true);
        row("ARM 07 DPI", [](Hid_Thread &h) { h.hidARM_07H_SetDPI(1, 1, 3, 3, 7, 15, 31); },
            "00 07 01 03 03 07 0f 1f bc", 0, true);
        row("ARM 08 DPI", [](Hid_Thread &h) { h.hidARM_08H_SetDPI(1, 47, 63, 71, 1, 0); },
            "00 08 2f 3f 47 01 00 00 41", 0, true);
        row("ARM 03 key matrix", [](Hid_Thread &h) { h.hidARM_03H_SetKeyMatrix(1, bytesOf(b64)); },
            "00 03 00 00 01 00 00 00 fb", 64, true);
        row("keyboard 08 key matrix", [](Hid_Thread &h) { h.hidSetKeyMatrix(0, bytesOf(b512)); },
            "00 08 00 00 08 00 00 00 00", 512, true);
        row("560 0D key matrix", [](Hid_Thread &h) { h.hid560_0DH_SetKeyMatrix(0, bytesOf(b64), 2); },
            "00 0d 02 80 00 00 00 00 70", 128, true);
        row("560 0C profile", [](Hid_Thread &h) { h.hid560_0CH_setProfile(0, bytesOf(b128), 4); },
            "00 0c 04 80 00 00 00 00 6f", 128, true);
        row("52352 05 macro", [](Hid_Thread &h) { h.hid52352_05H_SetMacroKey(1, 9, bytesOf(b192)); },
            "00 05 00 09 03 00 00 00 ee", 192, true);
        row("keyboard 0A macro", [](Hid_Thread &h) { h.hidSetMacroKey(0, 4, bytesOf(b512)); },
            "00 0a 00 04 08 00 00 00 00", 512, true);
        row("keyboard 0B picture", [](Hid_Thread &h) { h.hidSetPicture(0, 2, bytesOf(b128)); },
            "00 0b 00 02 02 00 00 00 00", 128, true);
        row("560 0F macro", [](Hid_Thread &h) { h.hid560_0FH_SetMacroKey(0, 3, bytesOf(b128)); },
            "00 0f 03 80 00 00 00 00 6d", 128, true);
        row("553 11 DPI set", [](Hid_Thread &h) { h.hid553_11H_SetDPISet(1, 2, bytesOf(b8)); },
            "00 11 02 08 00 00 00 00 e4", 8, true);
        row("ARM 0C stage colours", [](Hid_Thread &h) { h.hidARM_0CH_SetLED8StageColor(1, bytesOf(b24)); },
            "00 0c 00 00 01 00 00 00 f2", 24, true);
        row("576 30 stage colours", [](Hid_Thread &h) { h.hid576_30H_SetLED8StageColor(0, bytesOf(b24)); },
            "00 30 00 00 00 00 55 aa d0", 24, true);
    }
    void commandReports()
    {
        QFETCH(Call, call);
        QFETCH(QString, report);
        QFETCH(int, blockLength);
        QFETCH(bool, settled);
        CommandRig rig;
        QElapsedTimer clock;
        clock.start();
        call(*rig.hid_thread);
        const qint64 took = clock.elapsed();

        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")), QStringList{report});
        const QList<TraceLine> chunks = rig.trace->read(QStringLiteral("OUTPUT"));
        const int expectedChunks = (blockLength + 63) / 64;
        QCOMPARE(chunks.size(), expectedChunks);
        const QByteArray received = static_cast<EchoModel &>(rig.device->model()).receivedData();
        QCOMPARE(received.size(), expectedChunks * 64);
        for (const TraceLine &chunk : chunks)
            QCOMPARE(chunk.bytes.size(), 65);
        if (blockLength > 0) {
            QVERIFY(chunks.first().ms - rig.trace->read(QStringLiteral("FEATURE_OUT")).first().ms >= 127);
            QVERIFY(received.mid(blockLength).count('\0') == received.size() - blockLength);
        }
        const int pauses = settled ? (blockLength > 0 ? 2 : 1) : 0;
        QVERIFY2(took >= 128 * pauses, qPrintable(QString::number(took)));
        if (!settled)
            QVERIFY2(took >= 8 && took < 100, qPrintable(QString::number(took)));
        QVERIFY(rig.hid_thread->isReady());
    }

    void dataBlocksArriveUnchanged()
    {
        CommandRig rig;
        QByteArray matrix = block(512, 3);
        rig.hid_thread->hidSetKeyMatrix(0, bytesOf(matrix));
        QCOMPARE(static_cast<EchoModel &>(rig.device->model()).receivedData(), matrix);

        CommandRig small(32);
        QByteArray colours = block(24, 9);
        small.hid_thread->hid576_30H_SetLED8StageColor(0, bytesOf(colours));
        const QList<TraceLine> chunks = small.trace->read(QStringLiteral("OUTPUT"));
        QCOMPARE(chunks.size(), 1);
        QCOMPARE(chunks[0].bytes, QByteArray(1, '\0') + colours + QByteArray(8, '\0'));
    }

    void zeroTailOf560KeyMatrix()
    {
        CommandRig rig;
        QByteArray keys(64, '\x5a');
        rig.hid_thread->hid560_0DH_SetKeyMatrix(0, bytesOf(keys), 1);
        QCOMPARE(static_cast<EchoModel &>(rig.device->model()).receivedData(), keys + QByteArray(64, '\0'));
    }

    void repeated560ReportsDependOnIsGun_data()
    {
        QTest::addColumn<bool>("gun");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("isGun off: four") << false
            << QStringList{"00 04 01 03 00 00 00 00 f7", "00 04 02 03 00 00 00 00 f6", "00 04 03 03 00 00 00 00 f5",
                           "00 04 04 03 00 00 00 00 f4"};
        QTest::newRow("isGun on: one") << true << QStringList{"00 04 01 03 00 00 00 00 f7"};
    }
    void repeated560ReportsDependOnIsGun()
    {
        QFETCH(bool, gun);
        QFETCH(QStringList, reports);
        CommandRig rig;
        rig.gun.gun = gun;
        QElapsedTimer clock;
        clock.start();
        rig.hid_thread->hid560_04H_SetCurrentDPI(1, 3);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")), reports);
        QVERIFY(clock.elapsed() >= 128 * reports.size());

        CommandRig rate;
        rate.gun.gun = gun;
        rate.hid_thread->hid560_03H_SetReportRate(1, 2);
        QCOMPARE(rate.wire(QStringLiteral("FEATURE_OUT")).size(), reports.size());
        QCOMPARE(rate.wire(QStringLiteral("FEATURE_OUT")).first(), QStringLiteral("00 03 01 02 00 00 00 00 f9"));
    }

    void callQueuedBetweenRepeatsLeavesTheRepeatedReportIntact()
    {
        CommandRig rig;
        Hid_Thread *hid = rig.hid_thread.get();
        rig.model->onCommand = [hid](const QByteArray &report) {
            if (report.toHex(' ').startsWith("00 04 01"))  // after the first repeat
                QMetaObject::invokeMethod(hid, [hid] { hid->hid560_02H_SetCurrentProfile(0, 3); }, Qt::QueuedConnection);
        };
        rig.hid_thread->hid560_04H_SetCurrentDPI(1, 3);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")),
                 QStringList({"00 04 01 03 00 00 00 00 f7", "00 02 03 00 00 00 00 00 fa", "00 04 02 03 00 00 00 00 f6",
                              "00 04 03 03 00 00 00 00 f5", "00 04 04 03 00 00 00 00 f4"}));
        QVERIFY(rig.hid_thread->isReady());
    }

    void readingCommandsCopyTheAnswer()
    {
        CommandRig rig;
        rig.model->answer = QByteArray::fromHex("00 83 11 22 33 44 55 66 77");
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        rig.hid_thread->hid553_83H_GetKeyboardoption(0, b1, b2, b3, b4);
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({0x11, 0x22, 0x33, 0x44}));
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 83 00 00 00 00 00 00 7c"));

        uchar c1 = 0, c2 = 0;
        rig.hid_thread->hid560_81H_GetKeyboardoption(0, c1, c2);
        QCOMPARE(QList<int>({c1, c2}), QList<int>({0x11, 0x22}));
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 81 00 00 00 00 00 00 7e"));

        uchar profile = 0;
        rig.hid_thread->hid560_82H_GetCurrentProfile(0, profile);
        QCOMPARE(int(profile), 0x11);

        uchar stage = 5, dpi = 0;
        rig.hid_thread->hid560_84H_GetCurrentDPI(1, stage, dpi);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 84 05 00 00 00 00 00 76"));
        QCOMPARE(QList<int>({stage, dpi}), QList<int>({0x11, 0x22}));

        uchar current = 0;
        rig.hid_thread->hid553_8BH_GetCurrentDPI(1, current);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 8b 00 00 00 00 00 00 74"));
        QCOMPARE(int(current), 0x11);
    }

    void unconnectedReadsKeepOrZeroTheirOutputs()
    {
        CommandRig rig;
        rig.hid_thread->setDevicePath(1, QString());
        uchar current = 42;
        rig.hid_thread->hid553_8BH_GetCurrentDPI(1, current);
        QCOMPARE(int(current), 42);  // the preset carries the incoming value
        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        rig.hid_thread->hid553_00H_GetSecrecyCode(1, b1, b2, b3, b4);
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({0, 0, 0, 0}));
        QVERIFY(rig.wire(QStringLiteral("FEATURE_OUT")).isEmpty());
    }

    void busyTransportLeavesOutputsAndLogsTheFailureLine_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("line");
        QTest::newRow("83") << Call([](Hid_Thread &h) { uchar a = 9, b = 9, c = 9, d = 9; h.hid553_83H_GetKeyboardoption(0, a, b, c, d); QCOMPARE(int(a + b + c + d), 36); })
                            << "cmd Failed 83";
        QTest::newRow("8B") << Call([](Hid_Thread &h) { uchar a = 9; h.hid553_8BH_GetCurrentDPI(0, a); QCOMPARE(int(a), 9); })
                            << "cmd Failed 8BH";
        QTest::newRow("8C") << Call([](Hid_Thread &h) { QByteArray p(128, '\x07'); h.hid560_8CH_readProfile(bytesOf(p), 1); QCOMPARE(p, QByteArray(128, '\x07')); })
                            << "cmd Failed 8c";
        QTest::newRow("560 01") << Call([](Hid_Thread &h) { h.hid560_01H_SetKeyboardoption(0, 1, 2); }) << "cmd Failed 03";
        QTest::newRow("560 03") << Call([](Hid_Thread &h) { h.hid560_03H_SetReportRate(0, 1); }) << "cmd Failed 01";
        QTest::newRow("560 0D") << Call([](Hid_Thread &h) { QByteArray k(64, '\0'); h.hid560_0DH_SetKeyMatrix(0, bytesOf(k), 1); })
                                << "cmd Failed 12";
        QTest::newRow("keyboard 06") << Call([](Hid_Thread &h) { h.hidSetRGBLedEffect(0, 1, 0, 2, 3, 0); }) << "hidSetRGBLedEffect";
        QTest::newRow("mousepad") << Call([](Hid_Thread &h) { h.hidmousePad_SetRGBLedEffect(0, 1, 0, 2, 3, 0, 0, 0, 0); })
                                  << "cmd Failed 06";
    }
    void busyTransportLeavesOutputsAndLogsTheFailureLine()
    {
        QFETCH(Call, call);
        QFETCH(QString, line);
        CommandRig rig;
        QVERIFY(rig.hid_thread->waitHidIdle());  // another command holds the handshake
        QTest::ignoreMessage(QtDebugMsg, qPrintable(line));
        call(*rig.hid_thread);
        QVERIFY(rig.wire(QStringLiteral("FEATURE_OUT")).isEmpty());
    }

    void profileIsReadFromDeviceZero()
    {
        CommandRig rig;
        rig.hid_thread->setDevicePath(1, QString());
        const QByteArray stored = block(128, 0x21);
        rig.device->queueInputReport(stored.left(64));
        rig.device->queueInputReport(stored.mid(64));
        QByteArray profile(128, '\0');
        rig.hid_thread->hid560_8CH_readProfile(bytesOf(profile), 2);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")), QStringList{"00 8c 02 00 00 00 00 00 71"});
        QCOMPARE(profile, stored);

        // Nothing arrives: the buffer keeps what it held.
        QByteArray untouched(128, '\x33');
        rig.hid_thread->hid560_8CH_readProfile(bytesOf(untouched), 1);
        QCOMPARE(untouched, QByteArray(128, '\x33'));
    }

    void headsetReports_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("report");
        QTest::newRow("stop") << Call([](Hid_Thread &h) { h.headSetSetLEDStop(1, 2, 3, 4, 5); })
                              << "ff 02 01 02 03 04 05 00 00 00 00 00 00 00 00 00";
        QTest::newRow("config") << Call([](Hid_Thread &h) { h.headSetSetLEDConfig(6, 7, 8, 9, 10); })
                                << "ff 03 06 07 08 09 0a 00 00 00 00 00 00 00 00 00";
        QTest::newRow("colours") << Call([](Hid_Thread &h) { h.headSetSetLEDColorArray(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14); })
                                 << "ff 04 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e";
        QTest::newRow("start") << Call([](Hid_Thread &h) { h.headSetSetLEDStart(); })
                               << "ff 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
    }
    void headsetReports()
    {
        QFETCH(Call, call);
        QFETCH(QString, report);
        CommandRig rig;
        rig.hid_thread->setDevicePath(0, QString());  // the headset is always device 3
        QVERIFY(rig.hid_thread->waitHidIdle());       // and does not wait for the handshake
        call(*rig.hid_thread);
        QCOMPARE(rig.wire(QStringLiteral("OUTPUT")), QStringList{report});
        QVERIFY(rig.wire(QStringLiteral("FEATURE_OUT")).isEmpty());
        QVERIFY(rig.hid_thread->isReady());
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
