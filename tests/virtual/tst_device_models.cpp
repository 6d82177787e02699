// The device models fed directly with plain command reports and data
// blocks: what each kind keeps, what it answers, how it tells apart the
// families that share an opcode, and what it refuses.
#include "device/virtual/headset_model.h"
#include "device/virtual/keyboard_model.h"
#include "device/virtual/lighting_accessory_model.h"
#include "device/virtual/mouse_model.h"
#include "device/virtual/mousepad_model.h"
#include "report_feed.h"

#include <QtTest>

namespace {

std::unique_ptr<CommandDeviceModel> makeModel(const QString &kind, int reportLength)
{
    if (kind == QLatin1String("keyboard"))
        return std::make_unique<KeyboardModel>(reportLength);
    if (kind == QLatin1String("mouse"))
        return std::make_unique<MouseModel>(reportLength);
    if (kind == QLatin1String("mousepad"))
        return std::make_unique<MousepadModel>(reportLength);
    if (kind == QLatin1String("lightingAccessory"))
        return std::make_unique<LightingAccessoryModel>(reportLength);
    return std::make_unique<HeadsetModel>(reportLength);
}

QJsonObject expect(std::initializer_list<QPair<QString, QJsonValue>> fields)
{
    QJsonObject object;
    for (const auto &field : fields)
        object.insert(field.first, field.second);
    return object;
}

QByteArray zeros(int length) { return QByteArray(length, '\0'); }

// One step of a conversation: a command report with its block.
struct Step
{
    QByteArray report;
    QByteArray block;
};

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestDeviceModels : public QObject
{
    Q_OBJECT

private slots:
    void writingCommandsChangeState_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QJsonObject>("expected");

        const QByteArray k512 = pattern(512, 3), m512 = pattern(512, 11), p128 = pattern(128, 5);
        const QByteArray c24 = pattern(24, 40), b64 = pattern(64, 9), q128 = pattern(128, 77);
        const QByteArray l192 = pattern(192, 21);
        QTest::newRow("keyboard 08 key matrix, 64") << "keyboard" << 64 << unchecked("08 00 00 08 00 00 00 00") << k512
                                                   << expect({{"keyMatrix", hex(k512)}});
        QTest::newRow("keyboard 08 key matrix, 32") << "keyboard" << 32 << unchecked("08 00 00 08 00 00 00 00") << k512
                                                   << expect({{"keyMatrix", hex(k512)}});
        QTest::newRow("keyboard 0A macro 3") << "keyboard" << 64 << unchecked("0a 00 03 08 00 00 00 00") << m512
                                            << expect({{"macros/3", hex(m512)}, {"macros/2", hex(zeros(512))}});
        QTest::newRow("keyboard 0B picture 4") << "keyboard" << 32 << unchecked("0b 00 04 02 00 00 00 00") << p128
                                              << expect({{"pictures/4", hex(p128)}, {"pictures/0", hex(zeros(128))}});
        QTest::newRow("keyboard 06 effect") << "keyboard" << 64 << checked("06 00 05 03 02 07 01") << QByteArray()
                                           << expect({{"effect/mode", 5}, {"effect/speed", 3}, {"effect/brightness", 2},
                                                      {"effect/colour", 7}, {"effect/direction", 1}});
        QTest::newRow("keyboard 30 stage colours") << "keyboard" << 64 << checked("30 00 00 00 00 55 aa") << c24
                                                  << expect({{"stageColours", hex(c24)}});
        QTest::newRow("keyboard ARM 0C stage colours") << "keyboard" << 32 << checked("0c 00 00 01 00 00 00") << c24
                                                      << expect({{"stageColours", hex(c24)}});
        QTest::newRow("keyboard 553 03 options") << "keyboard" << 64 << checked("03 11 22 33 44 00 00") << QByteArray()
                                                << expect({{"keyboardOptions", "11223344"}});
        QTest::newRow("keyboard 553 02 current key matrix")
            << "keyboard" << 64 << checked("02 03 00 00 00 00 00") << QByteArray() << expect({{"currentKeyMatrix", 3}});

        // Mouse families, including the opcodes they share.
        QTest::newRow("mouse ARM 01 report rate") << "mouse" << 32 << checked("01 04 03 03 0f 00 00") << QByteArray()
                                                 << expect({{"reportRate", 4}, {"keyboardOptions", "0000"}});
        QTest::newRow("mouse 560 01 options") << "mouse" << 32 << checked("01 05 06 00 00 00 00") << QByteArray()
                                             << expect({{"keyboardOptions", "0506"}, {"reportRate", 0}});
        QTest::newRow("mouse 560 02 current profile") << "mouse" << 32 << checked("02 03 00 00 00 00 00") << QByteArray()
                                                     << expect({{"currentProfile", 3}});
        QTest::newRow("mouse ARM 03 buttons") << "mouse" << 32 << checked("03 00 00 01 00 00 00") << b64
                                             << expect({{"buttons", hex(b64)}, {"reportRate", 0}});
        QTest::newRow("mouse 560 03 report rate n=2") << "mouse" << 32 << checked("03 02 08 00 00 00 00") << QByteArray()
                                                     << expect({{"reportRate", 8}, {"buttons", hex(zeros(64))}});
        QTest::newRow("mouse 553 04 gun data") << "mouse" << 32 << checked("04 00 0a 0b 0c 02 00") << QByteArray()
                                              << expect({{"gunData", "0a0b0c02"}, {"currentStage", 0}});
        QTest::newRow("mouse 560 04 current stage n=1") << "mouse" << 32 << checked("04 01 03 00 00 00 00") << QByteArray()
                                                       << expect({{"currentStage", 3}, {"gunData", "00000000"}});
        QTest::newRow("mouse 52352 05 macro 11") << "mouse" << 64 << checked("05 00 0b 03 00 00 00") << l192
                                                << expect({{"macros192/11", hex(l192)}});
        QTest::newRow("mouse ARM 07 low stages") << "mouse" << 32 << checked("07 02 1f 07 0f 17 1f") << QByteArray()
                                                << expect({{"currentStage", 2}, {"dpiMask", 0x1f},
                                                           {"dpiStages", "070f171f00000000"}});
        QTest::newRow("mouse ARM 08 high stages") << "mouse" << 32 << checked("08 27 2f 37 3f 01 00") << QByteArray()
                                                 << expect({{"dpiStages", "00000000272f373f"}, {"dpiMultiplier", 1}});
        QTest::newRow("mouse 553 0B current stage") << "mouse" << 32 << checked("0b 02 00 00 00 00 00") << QByteArray()
                                                   << expect({{"currentStage", 2}});
        QTest::newRow("mouse ARM 0C stage colours") << "mouse" << 32 << checked("0c 00 00 01 00 00 00") << c24
                                                   << expect({{"stageColours", hex(c24)}, {"profiles/0", hex(zeros(128))}});
        QTest::newRow("mouse 560 0C profile 4") << "mouse" << 32 << checked("0c 04 80 00 00 00 00") << q128
                                               << expect({{"profiles/4", hex(q128)}, {"stageColours", hex(zeros(24))}});
        QTest::newRow("mouse 560 0D key matrix") << "mouse" << 64 << checked("0d 02 80 00 00 00 00")
                                                << b64 + zeros(64)
                                                << expect({{"keyMatrix", hex(b64 + zeros(64))}, {"keyMatrixIndex", 2}});
        QTest::newRow("mouse 560 0F macro 1") << "mouse" << 32 << checked("0f 01 80 00 00 00 00") << q128
                                             << expect({{"macros128/1", hex(q128)}});

        QTest::newRow("mousepad 08 mode 3 direction") << "mousepad" << 32 << unchecked("08 03 32 05 02 10 20 30")
                                                     << QByteArray()
                                                     << expect({{"mode", 3}, {"brightness", 0x32}, {"speed", 5},
                                                                {"direction", 2}, {"red", 0x10}, {"green", 0x20},
                                                                {"blue", 0x30}});
        QTest::newRow("mousepad 08 mode 1 colour") << "mousepad" << 32 << unchecked("08 01 32 05 20 10 20 30")
                                                  << QByteArray() << expect({{"mode", 1}, {"colour", 2}, {"direction", 0}});
        QTest::newRow("lighting accessory 01") << "lightingAccessory" << 32 << checked("01 02 03 04 aa bb cc")
                                              << QByteArray()
                                              << expect({{"mode", 2}, {"speed", 3}, {"brightness", 4}, {"red", 0xaa},
                                                         {"green", 0xbb}, {"blue", 0xcc}});
    }

    void writingCommandsChangeState()
    {
        QFETCH(QString, kind);
        QFETCH(int, reportLength);
        QFETCH(QByteArray, report);
        QFETCH(QByteArray, block);
        QFETCH(QJsonObject, expected);

        auto model = makeModel(kind, reportLength);
        feed(*model, report, block, reportLength);
        const QJsonObject state = model->state();
        QCOMPARE(state.value("kind").toString(), kind);
        QCOMPARE(state.value("ignoredReports").toInt(), 0);
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(stateAt(state, it.key()), it.value());
    }

    void readingCommandsAnswerFromState_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<Step>>("before");
        QTest::addColumn<QByteArray>("read");
        QTest::addColumn<QByteArray>("answerFrom2");
        QTest::addColumn<QByteArray>("inputData");

        const QByteArray profile = pattern(128, 99);
        QTest::newRow("keyboard 553 83") << "keyboard" << QList<Step>{{checked("03 11 22 33 44 00 00"), {}}}
                                        << checked("83 00 00 00 00 00 00") << QByteArray::fromHex("11223344")
                                        << QByteArray();
        QTest::newRow("mouse 560 81") << "mouse" << QList<Step>{{checked("01 05 06 00 00 00 00"), {}}}
                                     << checked("81 00 00 00 00 00 00") << QByteArray::fromHex("0506") << QByteArray();
        QTest::newRow("mouse 560 82") << "mouse" << QList<Step>{{checked("02 04 00 00 00 00 00"), {}}}
                                     << checked("82 00 00 00 00 00 00") << QByteArray::fromHex("04") << QByteArray();
        QTest::newRow("mouse 560 84 after four reports")
            << "mouse"
            << QList<Step>{{checked("04 01 03 00 00 00 00"), {}}, {checked("04 02 03 00 00 00 00"), {}},
                           {checked("04 03 03 00 00 00 00"), {}}, {checked("04 04 03 00 00 00 00"), {}}}
            << checked("84 01 00 00 00 00 00") << QByteArray::fromHex("0103") << QByteArray();
        QTest::newRow("mouse 553 8B after 0B") << "mouse" << QList<Step>{{checked("0b 05 00 00 00 00 00"), {}}}
                                              << checked("8b 00 00 00 00 00 00") << QByteArray::fromHex("05")
                                              << QByteArray();
        QTest::newRow("mouse 553 8B after ARM 07") << "mouse" << QList<Step>{{checked("07 06 ff 01 02 03 04"), {}}}
                                                  << checked("8b 00 00 00 00 00 00") << QByteArray::fromHex("06")
                                                  << QByteArray();
        QTest::newRow("mouse 560 8C profile 2") << "mouse" << QList<Step>{{checked("0c 02 80 00 00 00 00"), profile}}
                                               << checked("8c 02 00 00 00 00 00") << QByteArray::fromHex("00000000")
                                               << profile;
        QTest::newRow("mouse 560 8C unwritten profile") << "mouse"
                                                       << QList<Step>{{checked("0c 02 80 00 00 00 00"), profile}}
                                                       << checked("8c 01 00 00 00 00 00") << QByteArray::fromHex("00")
                                                       << zeros(128);
        QTest::newRow("probe echoes bytes 2 to 5") << "headset" << QList<Step>{} << checked("00 9a 8b 7c 6d 00 00")
                                                  << QByteArray::fromHex("9a8b7c6d") << QByteArray();
    }

    void readingCommandsAnswerFromState()
    {
        QFETCH(QString, kind);
        QFETCH(QList<Step>, before);
        QFETCH(QByteArray, read);
        QFETCH(QByteArray, answerFrom2);
        QFETCH(QByteArray, inputData);

        for (int reportLength : {32, 64}) {
            auto model = makeModel(kind, reportLength);
            for (const Step &step : before)
                feed(*model, step.report, step.block, reportLength);
            model->takeInputReports();
            model->commandReport(read);
            const QByteArray answer = model->answerReport();
            QCOMPARE(answer.size(), 9);
            QCOMPARE(answer.mid(2, answerFrom2.size()), answerFrom2);
            const QList<QByteArray> input = model->takeInputReports();
            QCOMPARE(input.size(), int(inputData.size() / reportLength));
            QByteArray data;
            for (const QByteArray &report : input) {
                QCOMPARE(report.size(), reportLength);
                data += report;
            }
            QCOMPARE(data, inputData);
        }
    }

    // Reports a device cannot use leave its state as it was.
    void unusableReportsAreIgnored_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QByteArray>("block");

        QByteArray badChecksum = checked("06 00 05 03 02 07 01");
        badChecksum[8] = char(badChecksum[8] ^ 0x01);
        QTest::newRow("bad checksum") << "keyboard" << badChecksum << QByteArray();
        QTest::newRow("unknown opcode") << "keyboard" << checked("77 01 02 03 04 05 06") << QByteArray();
        QTest::newRow("short report") << "keyboard" << QByteArray::fromHex("0006000503") << QByteArray();
        QTest::newRow("empty report") << "mouse" << QByteArray() << QByteArray();
        QTest::newRow("keyboard macro slot 5") << "keyboard" << unchecked("0a 00 05 08 00 00 00 00") << pattern(512, 1);
        QTest::newRow("keyboard picture 9") << "keyboard" << unchecked("0b 00 09 02 00 00 00 00") << pattern(128, 1);
        QTest::newRow("keyboard 08 of another layout") << "keyboard" << unchecked("08 01 32 05 02 10 20 30")
                                                      << QByteArray();
        QTest::newRow("keyboard 30 without its marker") << "keyboard" << checked("30 00 00 00 00 00 00")
                                                       << pattern(24, 1);
        QTest::newRow("mouse 03 of no family") << "mouse" << checked("03 00 05 00 00 00 00") << QByteArray();
        QTest::newRow("mouse 04 n=5") << "mouse" << checked("04 05 03 00 00 00 00") << QByteArray();
        QTest::newRow("mouse 0C of no family") << "mouse" << checked("0c 00 00 02 00 00 00") << pattern(24, 1);
        QTest::newRow("mouse profile 5") << "mouse" << checked("0c 05 80 00 00 00 00") << pattern(128, 1);
        QTest::newRow("mouse 01 of no family") << "mouse" << checked("01 04 03 03 00 01 00") << QByteArray();
        QTest::newRow("mouse macro slot 12") << "mouse" << checked("05 00 0c 03 00 00 00") << pattern(192, 1);
        QTest::newRow("output report without command") << "mouse" << QByteArray() << pattern(64, 1);
        QTest::newRow("headset report of another id") << "headset" << QByteArray() << QByteArray();
    }

    void unusableReportsAreIgnored()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, report);
        QFETCH(QByteArray, block);

        auto model = makeModel(kind, 64);
        QJsonObject before = model->state();
        if (!report.isEmpty() || block.isEmpty())
            model->commandReport(report);
        for (const QByteArray &output : outputReports(block, 64))
            model->outputReport(output);
        if (kind == QLatin1String("headset"))
            model->outputReport(QByteArray::fromHex("fe01") + zeros(14));
        QJsonObject after = model->state();
        QVERIFY(after.value("ignoredReports").toInt() >= 1);
        before.remove("ignoredReports");
        after.remove("ignoredReports");
        QCOMPARE(after, before);
        QVERIFY(model->takeInputReports().isEmpty());
    }

    void badChecksumProbeIsNotEchoed()
    {
        KeyboardModel model(64);
        QByteArray probe = checked("00 01 02 03 04 00 00");
        probe[8] = char(probe[8] + 1);
        model.commandReport(probe);
        QCOMPARE(model.answerReport().mid(2, 4), zeros(4));
    }

    void blockArrivesInChunksOfTheReportLength_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<int>("blockLength");
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<QString>("field");

        for (int reportLength : {32, 64}) {
            const QByteArray name = QByteArray::number(reportLength);
            QTest::newRow("512 at " + name) << reportLength << 512 << unchecked("08 00 00 08 00 00 00 00") << "keyMatrix";
            QTest::newRow("128 at " + name) << reportLength << 128 << unchecked("0b 00 01 02 00 00 00 00") << "pictures/1";
            QTest::newRow("24 at " + name) << reportLength << 24 << checked("30 00 00 00 00 55 aa") << "stageColours";
        }
    }

    void blockArrivesInChunksOfTheReportLength()
    {
        QFETCH(int, reportLength);
        QFETCH(int, blockLength);
        QFETCH(QByteArray, report);
        QFETCH(QString, field);

        KeyboardModel model(reportLength);
        const QByteArray block = pattern(blockLength, 17);
        const QList<QByteArray> outputs = outputReports(block, reportLength);
        model.commandReport(report);
        // Nothing is taken before the last chunk.
        for (int i = 0; i + 1 < outputs.size(); ++i) {
            model.outputReport(outputs[i]);
            QCOMPARE(stateAt(model.state(), field), hex(zeros(blockLength)));
        }
        model.outputReport(outputs.last());
        QCOMPARE(stateAt(model.state(), field), hex(block));
        // A further report belongs to no block.
        model.outputReport(outputs.first());
        QCOMPARE(model.ignoredReports(), 1);
    }

    void interruptedBlockIsDropped()
    {
        KeyboardModel model(64);
        const QList<QByteArray> outputs = outputReports(pattern(512, 5), 64);
        model.commandReport(unchecked("08 00 00 08 00 00 00 00"));
        for (int i = 0; i < 4; ++i)
            model.outputReport(outputs[i]);
        model.commandReport(checked("06 00 02 01 01 00 00"));
        for (int i = 4; i < outputs.size(); ++i)
            model.outputReport(outputs[i]);
        QCOMPARE(model.keyMatrix(), zeros(512));
        QCOMPARE(model.effect().mode, quint8(2));
        QCOMPARE(model.ignoredReports(), 4);
    }

    void headsetReports_data()
    {
        QTest::addColumn<QList<QByteArray>>("reports");
        QTest::addColumn<QJsonObject>("expected");

        const auto report = [](const char *hexBytes) { return QByteArray::fromHex(hexBytes).leftJustified(16, '\0'); };
        QTest::newRow("start") << QList<QByteArray>{report("ff01")} << expect({{"running", 1}});
        QTest::newRow("start then stop") << QList<QByteArray>{report("ff01"), report("ff020102030405")}
                                         << expect({{"running", 0}, {"audio/vc", 1}, {"audio/sur", 2}, {"audio/enc", 3},
                                                    {"audio/magic", 4}, {"audio/aaMute", 5}});
        QTest::newRow("config") << QList<QByteArray>{report("ff03020a0b1415")}
                                << expect({{"config/mode", 2}, {"config/sizeL", 10}, {"config/sizeM", 11},
                                           {"config/intervalL", 20}, {"config/intervalM", 21}});
        QTest::newRow("colour groups")
            << QList<QByteArray>{report("ff040100112233445566778899aabbcc"), report("ff040201000000ffffff000000ffffff")}
            << expect({{"colours/1:0", "112233445566778899aabbcc"}, {"colours/2:1", "000000ffffff000000ffffff"}});
        QTest::newRow("short report") << QList<QByteArray>{QByteArray::fromHex("ff01")}
                                      << expect({{"running", 0}, {"ignoredReports", 1}});
    }

    void headsetReports()
    {
        QFETCH(QList<QByteArray>, reports);
        QFETCH(QJsonObject, expected);

        HeadsetModel model(32);
        for (const QByteArray &report : reports)
            model.outputReport(report);
        const QJsonObject state = model.state();
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(stateAt(state, it.key()), it.value());
    }
};

QTEST_GUILESS_MAIN(TestDeviceModels)
#include "tst_device_models.moc"
