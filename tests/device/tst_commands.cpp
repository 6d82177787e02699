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

// Six table entries like the shipped ones, entry i pointed at a virtual
// device of its own ("virtual:i"), so a command that goes to another index
// than its own shows.
struct CommandRig
{
    static constexpr int kEntries = 6;

    explicit CommandRig(int reportLength = 64)
    {
        QList<QMap<QString, QString>> table;
        for (int i = 0; i < kEntries; ++i)
            table.append(tableEntry("abcd", "0001", "ff00", "0001", reportLength));
        workspace.writeDeviceTable(table);
        trace = std::make_unique<WireTrace>(workspace.path());
        VirtualHidBackend &hid = installVirtualBackend();
        hid_thread = std::make_unique<Hid_Thread>();
        hid_thread->setWindow(&gun);
        for (int i = 0; i < kEntries; ++i) {
            auto scripted = std::make_unique<ScriptedModel>();
            models.append(scripted.get());
            const QByteArray path = "virtual:" + QByteArray::number(i);
            devices.append(hid.add(std::make_shared<VirtualDevice>(VirtualDevice::Identity{path, 0xabcd, 1, 0xff00, 1},
                                                                   std::move(scripted))));
            hid_thread->setDevicePath(i, QString::fromLatin1(path));
        }
        device = devices[0];
    }

    QStringList wire(const QString &op) const
    {
        QStringList lines;
        for (const TraceLine &line : trace->read(op))
            lines << line.rest;
        return lines;
    }
    // The devices that saw a report of this kind, by index.
    QList<int> reached(const QString &op) const
    {
        QList<int> indices;
        for (const TraceLine &line : trace->read(op)) {
            const int index = line.path.mid(int(qstrlen("virtual:"))).toInt();
            if (!indices.contains(index))
                indices << index;
        }
        return indices;
    }

    TestWorkspace workspace;
    std::unique_ptr<WireTrace> trace;
    GunSetting gun;
    QList<ScriptedModel *> models;
    QList<std::shared_ptr<VirtualDevice>> devices;
    std::shared_ptr<VirtualDevice> device;  // entry 0's
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
        QTest::addColumn<int>("did");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("blockLength");
        QTest::addColumn<bool>("settled");
        QTest::addColumn<QString>("failure");  // the line logged when the transport is busy

        // Every command goes to the index it is given: the rows spread them
        // over the entries other than 0.
        auto row = [](const char *name, int did, Call call, const char *report, int blockLength, bool settled,
                      const char *failure) {
            QTest::newRow(name) << call << did << QString::fromLatin1(report) << blockLength << settled
                                << QString::fromLatin1(failure);
        };
        static QByteArray b3 = block(3, 0x10), b8 = block(8, 0x20), b24 = block(24, 0x30), b64 = block(64, 0x40),
                          b128 = block(128, 0x50), b192 = block(192, 0x60), b512 = block(512, 0x70);

        row("553 03 keyboard option", 1, [](Hid_Thread &h) { h.hid553_03H_SetKeyboardoption(1, 1, 2, 3, 4); },
            "00 03 01 02 03 04 00 00 f2", 0, false, "cmd Failed 03");
        row("553 04 gun data", 4, [](Hid_Thread &h) { h.hid553_04H_SetGunData(4, 1, 2, 3, 4); },
            "00 04 00 01 02 03 04 00 f1", 0, false, "cmd Failed 04");
        row("560 01 keyboard option", 2, [](Hid_Thread &h) { h.hid560_01H_SetKeyboardoption(2, 5, 6); },
            "00 01 05 06 00 00 00 00 f3", 0, false, "cmd Failed 03");
        row("ARM 01 report rate", 4, [](Hid_Thread &h) { h.hidARM_01H_SetReportRate(4, 1); },
            "00 01 01 03 03 0f 00 00 e8", 0, true, "cmd Failed 01");
        row("553 0B current DPI", 1, [](Hid_Thread &h) { h.hid553_0BH_SetCurrentDPI(1, 2); },
            "00 0b 02 00 00 00 00 00 f2", 0, true, "cmd Failed 0B");
        row("560 02 current profile", 3, [](Hid_Thread &h) { h.hid560_02H_SetCurrentProfile(3, 3); },
            "00 02 03 00 00 00 00 00 fa", 0, false, "cmd Failed 02");
        row("553 02 current key matrix", 5, [](Hid_Thread &h) { h.hid553_02H_SetCurrentKeyMatrix(5, 1); },
            "00 02 01 00 00 00 00 00 fc", 0, true, "cmd Failed 02");
        row("keyboard 06 lighting", 2, [](Hid_Thread &h) { h.hidSetRGBLedEffect(2, 2, 0, 0x80, 3, 1); },
            "00 06 00 02 03 80 00 01 73", 0, true, "hidSetRGBLedEffect");
        row("mousepad mode 3 puts direction", 2, [](Hid_Thread &h) { h.hidmousePad_SetRGBLedEffect(2, 3, 2, 50, 2, 1, 10, 20, 30); },
            "00 08 03 32 02 01 0a 14 1e", 0, true, "cmd Failed 06");
        row("mousepad mode 1 puts colour x 16", 3, [](Hid_Thread &h) { h.hidmousePad_SetRGBLedEffect(3, 1, 2, 50, 2, 1, 10, 20, 30); },
            "00 08 01 32 02 20 0a 14 1e", 0, true, "cmd Failed 06");
        row("accessory 01 lighting", 5, [](Hid_Thread &h) { h.hidsupport_SetRGBLedEffect(5, 2, 7, 4, 3, 1, 10, 20, 30); },
            "00 01 02 03 04 0a 14 1e b9", 0, true, "hidsupport_SetRGBLedEffect");
        row("576 08 lighting", 4, [](Hid_Thread &h) { h.hid576_08H_SetRGBLedEffect(4, 1, 2, 3, 4, 5, 6, 7); },
            "00 08 01 02 03 04 05 06 07", 0, true, "cmd Failed 08");
        row("553 0C fixed colour", 1, [](Hid_Thread &h) { h.hid553_0CH_SetFixLEDColor(1, bytesOf(b3)); },
            "00 0c 10 11 12 00 00 00 c0", 0, true, "cmd Failed 0C");
        row("ARM 07 DPI", 1, [](Hid_Thread &h) { h.hidARM_07H_SetDPI(1, 1, 3, 3, 7, 15, 31); },
            "00 07 01 03 03 07 0f 1f bc", 0, true, "hidARM_07H_SetDPI");
        row("ARM 08 DPI", 4, [](Hid_Thread &h) { h.hidARM_08H_SetDPI(4, 47, 63, 71, 1, 0); },
            "00 08 2f 3f 47 01 00 00 41", 0, true, "hidARM_08H_SetDPI");
        row("ARM 03 key matrix", 1, [](Hid_Thread &h) { h.hidARM_03H_SetKeyMatrix(1, bytesOf(b64)); },
            "00 03 00 00 01 00 00 00 fb", 64, true, "cmd Failed 03");
        row("keyboard 08 key matrix", 3, [](Hid_Thread &h) { h.hidSetKeyMatrix(3, bytesOf(b512)); },
            "00 08 00 00 08 00 00 00 00", 512, true, "hidSetKeyMatrix");
        row("560 0D key matrix", 5, [](Hid_Thread &h) { h.hid560_0DH_SetKeyMatrix(5, bytesOf(b64), 2); },
            "00 0d 02 80 00 00 00 00 70", 128, true, "cmd Failed 12");
        row("560 0C profile", 2, [](Hid_Thread &h) { h.hid560_0CH_setProfile(2, bytesOf(b128), 4); },
            "00 0c 04 80 00 00 00 00 6f", 128, true, "cmd Failed 0C");
        row("52352 05 macro", 1, [](Hid_Thread &h) { h.hid52352_05H_SetMacroKey(1, 9, bytesOf(b192)); },
            "00 05 00 09 03 00 00 00 ee", 192, true, "hid52352_05H_SetMacroKey");
        row("keyboard 0A macro", 4, [](Hid_Thread &h) { h.hidSetMacroKey(4, 4, bytesOf(b512)); },
            "00 0a 00 04 08 00 00 00 00", 512, true, "hidSetMacroKey");
        row("keyboard 0B picture", 5, [](Hid_Thread &h) { h.hidSetPicture(5, 2, bytesOf(b128)); },
            "00 0b 00 02 02 00 00 00 00", 128, true, "hidSetPicture");
        row("560 0F macro", 3, [](Hid_Thread &h) { h.hid560_0FH_SetMacroKey(3, 3, bytesOf(b128)); },
            "00 0f 03 80 00 00 00 00 6d", 128, true, "cmd Failed 0F");
        row("553 11 DPI set", 2, [](Hid_Thread &h) { h.hid553_11H_SetDPISet(2, 2, bytesOf(b8)); },
            "00 11 02 08 00 00 00 00 e4", 8, true, "cmd Failed 11");
        row("ARM 0C stage colours", 4, [](Hid_Thread &h) { h.hidARM_0CH_SetLED8StageColor(4, bytesOf(b24)); },
            "00 0c 00 00 01 00 00 00 f2", 24, true, "hidARM_0CH_SetLED8StageColor");
        row("576 30 stage colours", 1, [](Hid_Thread &h) { h.hid576_30H_SetLED8StageColor(1, bytesOf(b24)); },
            "00 30 00 00 00 00 55 aa d0", 24, true, "hid576_30H_SetLED8StageColor");
    }
    void commandReports()
    {
        QFETCH(Call, call);
        QFETCH(int, did);
        QFETCH(QString, report);
        QFETCH(int, blockLength);
        QFETCH(bool, settled);
        CommandRig rig;
        QElapsedTimer clock;
        clock.start();
        call(*rig.hid_thread);
        const qint64 took = clock.elapsed();

        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")), QStringList{report});
        QCOMPARE(rig.reached(QStringLiteral("OPEN")), QList<int>{did});
        const QList<TraceLine> chunks = rig.trace->read(QStringLiteral("OUTPUT"));
        const int expectedChunks = (blockLength + 63) / 64;
        QCOMPARE(chunks.size(), expectedChunks);
        const QByteArray received = rig.models[did]->receivedData();
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
        rig.hid_thread->hid560_04H_SetCurrentDPI(4, 3);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")), reports);
        QCOMPARE(rig.reached(QStringLiteral("OPEN")), QList<int>{4});
        QVERIFY(clock.elapsed() >= 128 * reports.size());

        CommandRig rate;
        rate.gun.gun = gun;
        rate.hid_thread->hid560_03H_SetReportRate(5, 2);
        QCOMPARE(rate.reached(QStringLiteral("OPEN")), QList<int>{5});
        QCOMPARE(rate.wire(QStringLiteral("FEATURE_OUT")).size(), reports.size());
        QCOMPARE(rate.wire(QStringLiteral("FEATURE_OUT")).first(), QStringLiteral("00 03 01 02 00 00 00 00 f9"));
    }

    void callQueuedBetweenRepeatsLeavesTheRepeatedReportIntact()
    {
        CommandRig rig;
        Hid_Thread *hid = rig.hid_thread.get();
        rig.models[1]->onCommand = [hid](const QByteArray &report) {
            if (report.toHex(' ').startsWith("00 04 01"))  // after the first repeat
                QMetaObject::invokeMethod(hid, [hid] { hid->hid560_02H_SetCurrentProfile(0, 3); }, Qt::QueuedConnection);
        };
        rig.hid_thread->hid560_04H_SetCurrentDPI(1, 3);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")),
                 QStringList({"00 04 01 03 00 00 00 00 f7", "00 02 03 00 00 00 00 00 fa", "00 04 02 03 00 00 00 00 f6",
                              "00 04 03 03 00 00 00 00 f5", "00 04 04 03 00 00 00 00 f4"}));
        QVERIFY(rig.hid_thread->isReady());
    }

    // Each device answers bytes of its own (device i: bytes 2 to 5 are
    // i+1 followed by 2 to 5 in hex), so a reading command that asks another
    // index than its own brings back another device's bytes.
    void readingCommandsCopyTheAnswer()
    {
        CommandRig rig;
        for (int i = 0; i < CommandRig::kEntries; ++i) {
            QByteArray answer(9, '\0');
            for (int b = 2; b <= 5; ++b)
                answer[b] = char(0x10 * (i + 1) + b);
            rig.models[i]->answer = answer;
        }

        uchar b1 = 1, b2 = 2, b3 = 3, b4 = 4;
        rig.hid_thread->hid553_83H_GetKeyboardoption(2, b1, b2, b3, b4);
        QCOMPARE(QList<int>({b1, b2, b3, b4}), QList<int>({0x32, 0x33, 0x34, 0x35}));
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 83 00 00 00 00 00 00 7c"));

        uchar c1 = 0, c2 = 0;
        rig.hid_thread->hid560_81H_GetKeyboardoption(4, c1, c2);
        QCOMPARE(QList<int>({c1, c2}), QList<int>({0x52, 0x53}));
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 81 00 00 00 00 00 00 7e"));

        uchar profile = 0;
        rig.hid_thread->hid560_82H_GetCurrentProfile(5, profile);
        QCOMPARE(int(profile), 0x62);

        uchar stage = 5, dpi = 0;
        rig.hid_thread->hid560_84H_GetCurrentDPI(1, stage, dpi);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 84 05 00 00 00 00 00 76"));
        QCOMPARE(QList<int>({stage, dpi}), QList<int>({0x22, 0x23}));

        uchar current = 0;
        rig.hid_thread->hid553_8BH_GetCurrentDPI(3, current);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")).last(), QStringLiteral("00 8b 00 00 00 00 00 00 74"));
        QCOMPARE(int(current), 0x42);

        uchar s1 = 0, s2 = 0, s3 = 0, s4 = 0;
        rig.hid_thread->hid553_00H_GetSecrecyCode(4, s1, s2, s3, s4);
        QCOMPARE(QList<int>({s1, s2, s3, s4}), QList<int>({0x52, 0x53, 0x54, 0x55}));
        QCOMPARE(rig.reached(QStringLiteral("FEATURE_OUT")), QList<int>({2, 4, 5, 1, 3}));
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

    // Every command that has a failure line (the setting ones as the report
    // table calls them): the line exactly as it is (several differ from their
    // opcode), and the reading ones' outputs as they came.
    void busyTransportLeavesOutputsAndLogsTheFailureLine_data()
    {
        commandReports_data();
        auto row = [](const char *name, Call call, const char *line) {
            QTest::newRow(name) << call << 0 << QString() << 0 << false << QString::fromLatin1(line);
        };
        row("00", [](Hid_Thread &h) { uchar a = 9, b = 8, c = 7, d = 6; h.hid553_00H_GetSecrecyCode(0, a, b, c, d); QCOMPARE(QList<int>({a, b, c, d}), QList<int>({9, 8, 7, 6})); },
            "cmd Failed 00");
        row("83", [](Hid_Thread &h) { uchar a = 9, b = 9, c = 9, d = 9; h.hid553_83H_GetKeyboardoption(0, a, b, c, d); QCOMPARE(int(a + b + c + d), 36); },
            "cmd Failed 83");
        row("81", [](Hid_Thread &h) { uchar a = 9, b = 8; h.hid560_81H_GetKeyboardoption(1, a, b); QCOMPARE(QList<int>({a, b}), QList<int>({9, 8})); },
            "cmd Failed 81");
        row("82", [](Hid_Thread &h) { uchar a = 9; h.hid560_82H_GetCurrentProfile(0, a); QCOMPARE(int(a), 9); }, "cmd Failed 82");
        row("84", [](Hid_Thread &h) { uchar a = 9, b = 8; h.hid560_84H_GetCurrentDPI(1, a, b); QCOMPARE(QList<int>({a, b}), QList<int>({9, 8})); },
            "cmd Failed 84");
        row("8B", [](Hid_Thread &h) { uchar a = 9; h.hid553_8BH_GetCurrentDPI(0, a); QCOMPARE(int(a), 9); }, "cmd Failed 8BH");
        row("8C", [](Hid_Thread &h) { QByteArray p(128, '\x07'); h.hid560_8CH_readProfile(bytesOf(p), 1); QCOMPARE(p, QByteArray(128, '\x07')); },
            "cmd Failed 8c");
        row("560 03", [](Hid_Thread &h) { h.hid560_03H_SetReportRate(0, 1); }, "cmd Failed 01");
        row("560 04", [](Hid_Thread &h) { h.hid560_04H_SetCurrentDPI(1, 3); }, "cmd Failed 04");
    }
    void busyTransportLeavesOutputsAndLogsTheFailureLine()
    {
        QFETCH(Call, call);
        QFETCH(QString, failure);
        CommandRig rig;
        QVERIFY(rig.hid_thread->waitHidIdle());  // another command holds the handshake
        QTest::ignoreMessage(QtDebugMsg, qPrintable(failure));
        call(*rig.hid_thread);
        QVERIFY(rig.wire(QStringLiteral("FEATURE_OUT")).isEmpty());
    }

    void profileIsReadFromDeviceZero()
    {
        CommandRig rig;
        // The UI has selected the mouse, whose entry holds a profile too.
        rig.hid_thread->setCurrentDeviceIndex(1);
        const QByteArray stored = block(128, 0x21), otherDevice = block(128, 0x61);
        rig.device->queueInputReport(stored.left(64));
        rig.device->queueInputReport(stored.mid(64));
        rig.devices[1]->queueInputReport(otherDevice.left(64));
        rig.devices[1]->queueInputReport(otherDevice.mid(64));
        QByteArray profile(128, '\0');
        rig.hid_thread->hid560_8CH_readProfile(bytesOf(profile), 2);
        QCOMPARE(rig.wire(QStringLiteral("FEATURE_OUT")), QStringList{"00 8c 02 00 00 00 00 00 71"});
        QCOMPARE(rig.reached(QStringLiteral("OPEN")), QList<int>{0});
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
        rig.hid_thread->setCurrentDeviceIndex(1);  // the headset is always device 3
        QVERIFY(rig.hid_thread->waitHidIdle());    // and does not wait for the handshake
        call(*rig.hid_thread);
        QCOMPARE(rig.wire(QStringLiteral("OUTPUT")), QStringList{report});
        QCOMPARE(rig.reached(QStringLiteral("OPEN")), QList<int>{3});
        QVERIFY(rig.wire(QStringLiteral("FEATURE_OUT")).isEmpty());
        QVERIFY(rig.hid_thread->isReady());
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
