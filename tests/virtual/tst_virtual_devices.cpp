// The models behind VirtualDevice and the HID seam: scrambled command
// reports, chunked output reports, answers read back as feature and input
// reports, the lighting accessory's vendor reports, the factory's choice by
// device type and the state file.
#include "device/scrambling.h"
#include "device/virtual/keyboard_model.h"
#include "device/virtual/model_factory.h"
#include "device/virtual/mouse_model.h"
#include "device/virtual/vendor_report_model.h"
#include "device/virtual/virtual_backend.h"
#include "device/virtual/virtual_environment.h"
#include "device/virtual/virtual_state.h"
#include "platform/hid/hid_backend.h"
#include "report_feed.h"
#include "support/log_capture.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kCode = "593017";

DeviceInfo entryOf(int type, int reportLength = 32, bool withSecondary = false)
{
    DeviceInfo entry;
    entry.type = type;
    entry.vid = 0x1234;
    entry.pid = quint16(0x0100 + type);
    entry.usagePage = 0xff00;
    entry.usage = 1;
    if (withSecondary) {
        entry.usagePage2 = 0xff01;
        entry.usage2 = 1;
    }
    entry.reportLength = reportLength;
    return entry;
}

std::shared_ptr<VirtualDevice> deviceWith(std::unique_ptr<DeviceModel> model, bool isEncode = false)
{
    auto device = std::make_shared<VirtualDevice>(VirtualDevice::Identity{"virtual:t", 1, 2, 3, 4}, std::move(model),
                                                  isEncode);
    device->setSecrecyCode(kCode);
    return device;
}

QByteArray scrambled(QByteArray report, const QByteArray &code)
{
    quint8 secrecy[8] = {};
    std::memcpy(secrecy + 1, code.constData(), 6);
    Scrambling::encrypt(reinterpret_cast<uint8_t *>(report.data()) + 1, secrecy);
    return report;
}

QByteArray descrambled(QByteArray report, const QByteArray &code)
{
    quint8 secrecy[8] = {};
    std::memcpy(secrecy + 1, code.constData(), 6);
    Scrambling::decipher(reinterpret_cast<uint8_t *>(report.data()) + 1, secrecy);
    return report;
}

void sendFeature(VirtualDevice &device, const QByteArray &report)
{
    device.featureOut(reinterpret_cast<const uint8_t *>(report.constData()), size_t(report.size()));
}

QByteArray getFeature(VirtualDevice &device)
{
    QByteArray answer(9, '\0');
    answer.resize(device.featureIn(reinterpret_cast<uint8_t *>(answer.data()), 9));
    return answer;
}

void writeBlock(VirtualDevice &device, const QByteArray &block, int reportLength)
{
    for (const QByteArray &report : outputReports(block, reportLength))
        device.output(reinterpret_cast<const uint8_t *>(report.constData()), size_t(report.size()));
}

QByteArray readInput(VirtualDevice &device, int capacity, int timeoutMs = 200)
{
    QByteArray buffer(capacity, '\0');
    const int count = device.input(reinterpret_cast<uint8_t *>(buffer.data()), size_t(capacity), timeoutMs);
    return buffer.left(qMax(0, count));
}

QJsonObject readStateFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

class TestVirtualDevices : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv("GEARCONSOLE_VIRTUAL_STATE"); }

    void scrambledCommandsReachTheModel_data()
    {
        QTest::addColumn<QByteArray>("sentWithCode");
        QTest::addColumn<bool>("taken");
        QTest::newRow("same code") << kCode << true;
        QTest::newRow("other code") << QByteArray("418273") << false;
    }

    void scrambledCommandsReachTheModel()
    {
        QFETCH(QByteArray, sentWithCode);
        QFETCH(bool, taken);

        auto model = std::make_unique<KeyboardModel>(64);
        KeyboardModel &keyboard = *model;
        auto device = deviceWith(std::move(model), true);
        sendFeature(*device, scrambled(checked("03 5a 6b 7c 8d 00 00"), sentWithCode));
        QCOMPARE(keyboard.keyboardOptions(), taken ? QByteArray::fromHex("5a6b7c8d") : QByteArray(4, '\0'));

        // The answer to 83 comes back scrambled with the device's code.
        sendFeature(*device, scrambled(checked("83 00 00 00 00 00 00"), kCode));
        const QByteArray answer = descrambled(getFeature(*device), kCode);
        QCOMPARE(answer.mid(2, 4), keyboard.keyboardOptions());
    }

    void probeEchoesThroughTheScrambling()
    {
        auto device = deviceWith(makeDeviceModel(entryOf(1), 0, false), true);
        sendFeature(*device, scrambled(checked("00 31 41 59 26 00 00"), kCode));
        QCOMPARE(descrambled(getFeature(*device), kCode).mid(2, 4), QByteArray::fromHex("31415926"));
    }

    void chunkedBlockThroughTheDevice_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::newRow("32") << 32;
        QTest::newRow("64") << 64;
    }

    void chunkedBlockThroughTheDevice()
    {
        QFETCH(int, reportLength);
        auto model = std::make_unique<KeyboardModel>(reportLength);
        KeyboardModel &keyboard = *model;
        auto device = deviceWith(std::move(model));
        const QByteArray macro = pattern(512, 33);
        sendFeature(*device, unchecked("0a 00 02 08 00 00 00 00"));
        writeBlock(*device, macro, reportLength);
        QCOMPARE(keyboard.macro(2), macro);
        QCOMPARE(keyboard.macro(1), QByteArray(512, '\0'));
    }

    // 8C: the 9-byte answer, then the stored profile as input reports of
    // reportLength bytes, read with a buffer one byte longer.
    void profileReadComesBackAsInputReports_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<int>("profile");
        QTest::newRow("32, profile 0") << 32 << 0;
        QTest::newRow("64, profile 3") << 64 << 3;
    }

    void profileReadComesBackAsInputReports()
    {
        QFETCH(int, reportLength);
        QFETCH(int, profile);
        auto device = deviceWith(makeDeviceModel(entryOf(1, reportLength), 1, false));
        const QByteArray stored = pattern(128, 61 + profile);
        QByteArray write = checked("0c 00 80 00 00 00 00");
        write[2] = char(profile);
        write[8] = char(quint8(write[8]) - profile);
        sendFeature(*device, write);
        writeBlock(*device, stored, reportLength);

        QByteArray read = checked("8c 00 00 00 00 00 00");
        read[2] = char(profile);
        read[8] = char(quint8(read[8]) - profile);
        sendFeature(*device, read);
        QCOMPARE(getFeature(*device).size(), 9);
        QByteArray data;
        for (int i = 0; i < 128 / reportLength; ++i) {
            const QByteArray report = readInput(*device, reportLength + 1);
            QCOMPARE(report.size(), reportLength);
            data += report;
        }
        QCOMPARE(data, stored);
        QVERIFY(readInput(*device, reportLength + 1, 20).isEmpty());
    }

    void factoryChoosesByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("secondary");
        QTest::addColumn<QString>("kind");
        QTest::newRow("0 keyboard") << 0 << false << "keyboard";
        QTest::newRow("1 mouse") << 1 << false << "mouse";
        QTest::newRow("2 mousepad") << 2 << false << "mousepad";
        QTest::newRow("3 headset") << 3 << false << "headset";
        QTest::newRow("5 lighting accessory") << 5 << false << "lightingAccessory";
        QTest::newRow("5 secondary") << 5 << true << "vendorReports";
        QTest::newRow("4 unknown") << 4 << false << "echo";
        QTest::newRow("-1 unknown") << -1 << false << "echo";
        QTest::newRow("6 unknown") << 6 << false << "echo";
    }

    void factoryChoosesByType()
    {
        QFETCH(int, type);
        QFETCH(bool, secondary);
        QFETCH(QString, kind);
        const std::unique_ptr<DeviceModel> model = makeDeviceModel(entryOf(type), 0, secondary);
        QVERIFY(model);
        QCOMPARE(model->state().value("kind").toString(), kind);
    }

    void vendorReportsOnTheSecondaryInterface_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::newRow("four bytes") << QByteArray::fromHex("00070000");
        QTest::newRow("three bytes") << QByteArray::fromHex("000900");
        QTest::newRow("five bytes") << QByteArray::fromHex("0009000000");
    }

    void vendorReportsOnTheSecondaryInterface()
    {
        QFETCH(QByteArray, report);
        VirtualHidBackend backend;
        QList<DeviceInfo> table(6);
        table[5] = entryOf(5, 32, true);
        addVirtualDevicesForEntry(backend, table, 5);
        const auto secondary = backend.find("virtual:5:2");
        QVERIFY(secondary);
        auto *vendor = dynamic_cast<VendorReportModel *>(&secondary->model());
        QVERIFY(vendor);

        QVERIFY(readInput(*secondary, 5, 20).isEmpty());
        vendor->sendVendorReport(report);
        QCOMPARE(readInput(*secondary, 5), report);
        QCOMPARE(vendor->sentReports(), 1);
        // Nothing reaches the command interface.
        QVERIFY(readInput(*backend.find("virtual:5"), 33, 20).isEmpty());
    }

    void vendorValueIsTheSecondByte()
    {
        auto model = std::make_unique<VendorReportModel>();
        VendorReportModel &vendor = *model;
        VirtualDevice device({"virtual:5:2", 1, 2, 3, 4}, std::move(model), false);
        vendor.sendVendorValue(7);
        vendor.sendVendorValue(200);
        QCOMPARE(readInput(device, 5), QByteArray::fromHex("00070000"));
        QCOMPARE(readInput(device, 5), QByteArray::fromHex("00c80000"));
        QCOMPARE(device.state().value("lastReport").toString(), QStringLiteral("00c80000"));
        QCOMPARE(device.state().value("sentReports").toInt(), 2);
    }

    void stateFileDescribesEveryDevice()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("state.json");
        VirtualHidBackend backend;
        const QList<DeviceInfo> table{entryOf(0, 64), entryOf(1, 32)};
        addVirtualDevicesForEntry(backend, table, 0);
        addVirtualDevicesForEntry(backend, table, 1);

        const QByteArray keyMatrix = pattern(512, 0xa5);
        VirtualDevice &keyboard = *backend.find("virtual:0");
        sendFeature(keyboard, unchecked("08 00 00 08 00 00 00 00"));
        writeBlock(keyboard, keyMatrix, 64);
        VirtualDevice &mouse = *backend.find("virtual:1");
        sendFeature(mouse, checked("07 01 0f 07 0f 17 1f"));

        qputenv("GEARCONSOLE_VIRTUAL_STATE", fileName.toLocal8Bit());
        QVERIFY(writeVirtualStateFromEnvironment());
        const QJsonObject state = readStateFile(fileName);
        QCOMPARE(QStringList(state.keys()), QStringList({"virtual:0", "virtual:1"}));
        const QJsonValue written = stateAt(state, "virtual:0/keyMatrix");
        QCOMPARE(written, hex(keyMatrix));
        QCOMPARE(written.toString(), written.toString().toLower());
        QCOMPARE(stateAt(state, "virtual:0/macros").toArray().size(), 5);
        QVERIFY(stateAt(state, "virtual:1/currentStage").isDouble());
        QCOMPARE(stateAt(state, "virtual:1/currentStage").toInt(), 1);
        QCOMPARE(stateAt(state, "virtual:1/dpiMask").toInt(), 0x0f);
        QCOMPARE(stateAt(state, "virtual:1/dpiStages"), QJsonValue("070f171f00000000"));
        QCOMPARE(stateAt(state, "virtual:1/profiles").toArray().size(), 5);
    }

    void stateFileReachesTheInstalledDevices()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("installed.json");
        QVERIFY(!HidSeam::isInstalled());
        qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "0,5");
        const QList<DeviceInfo> table{entryOf(0), entryOf(1), entryOf(2), entryOf(3), entryOf(4), entryOf(5, 32, true)};
        installVirtualDevicesFromEnvironment(table);
        qunsetenv("GEARCONSOLE_VIRTUAL_DEVICES");

        const auto path = [](const char *text) { return QByteArray(text); };
        auto device = HidSeam::backend().open(path("virtual:5"));
        QVERIFY(device);
        const QByteArray effect = checked("01 04 02 09 10 20 30");
        device->sendFeatureReport(reinterpret_cast<const uint8_t *>(effect.constData()), size_t(effect.size()));

        qputenv("GEARCONSOLE_VIRTUAL_STATE", fileName.toLocal8Bit());
        QVERIFY(writeVirtualStateFromEnvironment());
        const QJsonObject state = readStateFile(fileName);
        QCOMPARE(QStringList(state.keys()), QStringList({"virtual:0", "virtual:5", "virtual:5:2"}));
        QCOMPARE(stateAt(state, "virtual:0/kind").toString(), QStringLiteral("keyboard"));
        QCOMPARE(stateAt(state, "virtual:5/mode").toInt(), 4);
        QCOMPARE(stateAt(state, "virtual:5/blue").toInt(), 0x30);
        QCOMPARE(stateAt(state, "virtual:5:2/kind").toString(), QStringLiteral("vendorReports"));
        HidSeam::install(std::make_unique<VirtualHidBackend>());
    }

    void stateFileRefusesAnUnwritablePath()
    {
        VirtualHidBackend backend;
        addVirtualDevicesForEntry(backend, {entryOf(0)}, 0);
        qputenv("GEARCONSOLE_VIRTUAL_STATE", "/nonexistent-folder/for/state.json");
        LogCapture log;
        QVERIFY(!writeVirtualStateFromEnvironment());
        QCOMPARE(log.count("cannot write"), 1);
    }

    void stateFileNeedsTheVariableAndDevices()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath("none.json");
        QVERIFY(!writeVirtualStateFromEnvironment());  // variable unset
        qputenv("GEARCONSOLE_VIRTUAL_STATE", fileName.toLocal8Bit());
        {
            VirtualHidBackend empty;
            QVERIFY(!writeVirtualStateFromEnvironment());
        }
        QVERIFY(!QFile::exists(fileName));
    }
};

QTEST_GUILESS_MAIN(TestVirtualDevices)
#include "tst_virtual_devices.moc"
