// The access helper: which hidraw interfaces the logged-in user may open.
#include "hid_descriptors.h"

#include "device_table_file.h"
#include "hid_descriptor.h"
#include "interface_check.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

namespace {

const QString kHelper = QStringLiteral(GEARCONSOLE_BINARY_DIR "/gearconsole-hidraw-usage");
const QString kShippedTable = QStringLiteral(GEARCONSOLE_SOURCE_DIR "/modules/setting/apConfig.bin");

DescriptorReading readBytes(const QByteArray &data)
{
    return readReportDescriptor(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
}

std::vector<TableEntry> shippedTable()
{
    std::vector<TableEntry> table;
    readDeviceTableFile(kShippedTable.toStdString(), &table);
    return table;
}

InterfaceVerdict verdictFor(const QByteArray &descriptor, uint16_t vid, uint16_t pid)
{
    return classifyInterface(readBytes(descriptor), vid, pid, shippedTable());
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

struct HelperRun
{
    int exitCode = -1;
    QByteArray out, err;
};

HelperRun runHelper(const QStringList &arguments)
{
    QProcess process;
    process.start(kHelper, arguments);
    HelperRun run;
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// A hidraw node as sysfs shows it: <node>/device/report_descriptor and the
// HID device's uevent with its ids.
QString fakeHidrawNode(const QTemporaryDir &dir, const QByteArray &descriptor, const QByteArray &hidId)
{
    const QString node = dir.path() + QStringLiteral("/hidraw3");
    QDir().mkpath(node + QStringLiteral("/device"));
    writeFile(node + QStringLiteral("/device/report_descriptor"), descriptor);
    writeFile(node + QStringLiteral("/device/uevent"),
              "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=VORTAN Keyboard\nMODALIAS=hid:b0003\n");
    return node;
}

} // namespace

class HidrawUsageTest : public QObject
{
    Q_OBJECT

private slots:
    void topLevelCollectionsOfRealDescriptors()
    {
        const DescriptorReading keyboard = readBytes(descriptors::keyboardBoot());
        QVERIFY(keyboard.wellFormed);
        QCOMPARE(keyboard.collections.size(), size_t(1));
        QCOMPARE(keyboard.collections[0].usagePage, uint16_t(0x01));
        QCOMPARE(keyboard.collections[0].usage, uint16_t(0x06));

        const DescriptorReading vendor = readBytes(descriptors::vendorCommand());
        QVERIFY(vendor.wellFormed);
        QCOMPARE(vendor.collections.size(), size_t(1));
        QCOMPARE(vendor.collections[0].usagePage, uint16_t(0xff00));
        QCOMPARE(vendor.collections[0].usage, uint16_t(0x01));

        const DescriptorReading consumer = readBytes(descriptors::consumerControl());
        QVERIFY(consumer.wellFormed);
        QCOMPARE(consumer.collections[0].usagePage, uint16_t(0x0c));
        QCOMPARE(consumer.collections[0].usage, uint16_t(0x01));

        const DescriptorReading extended = readBytes(descriptors::vendorExtendedUsage());
        QVERIFY2(extended.wellFormed, extended.error.c_str());
        QCOMPARE(extended.collections[0].usagePage, uint16_t(0xff00));
        QCOMPARE(extended.collections[0].usage, uint16_t(0x01));

        const DescriptorReading both = readBytes(descriptors::vendorWithSystemControl());
        QCOMPARE(both.collections.size(), size_t(2));
        QCOMPARE(both.collections[1].usagePage, uint16_t(0x01));
        QCOMPARE(both.collections[1].usage, uint16_t(0x80));
    }

    void onlyTheTablesVendorInterfaceIsGranted()
    {
        QCOMPARE(verdictFor(descriptors::vendorCommand(), 0xfff0, 0x0101), InterfaceVerdict::CommandInterface);
        QCOMPARE(verdictFor(descriptors::vendorExtendedUsage(), 0xfff0, 0x0105), InterfaceVerdict::CommandInterface);
        QCOMPARE(verdictFor(descriptors::keyboardBoot(), 0xfff0, 0x0101), InterfaceVerdict::CarriesInput);
        QCOMPARE(verdictFor(descriptors::consumerControl(), 0xfff0, 0x0101), InterfaceVerdict::CarriesInput);
        QCOMPARE(verdictFor(descriptors::vendorWithSystemControl(), 0xfff0, 0x0101), InterfaceVerdict::CarriesInput);
        // ids the table does not list
        QCOMPARE(verdictFor(descriptors::vendorCommand(), 0xfff0, 0x0999), InterfaceVerdict::NotListed);
        // the lighting accessory's secondary interface (ff01:01) is its own, not the keyboards'
        QByteArray secondary = descriptors::vendorCommand();
        secondary[1] = char(0x01);
        QCOMPARE(verdictFor(secondary, 0xfff0, 0x0201), InterfaceVerdict::CommandInterface);
        QCOMPARE(verdictFor(secondary, 0xfff0, 0x0101), InterfaceVerdict::NotListed);
        // the boot loader: its vendor interface, never a keystroke one
        QCOMPARE(verdictFor(descriptors::vendorCommand(), 0x04d9, 0x8022), InterfaceVerdict::BootLoader);
        QCOMPARE(verdictFor(descriptors::keyboardBoot(), 0x04d9, 0x8022), InterfaceVerdict::CarriesInput);
    }

    void aTableNamingAKeystrokePageGrantsNothing()
    {
        std::istringstream text("[common]\ndeviceCount=1\n[0]\nvid=fff0\npid=0101\nusagePage=1\nusage=6\n");
        const std::vector<TableEntry> table = readDeviceTable(text);
        QCOMPARE(table.size(), size_t(1));
        QCOMPARE(table[0].command.usagePage, uint16_t(1));
        QCOMPARE(classifyInterface(readBytes(descriptors::keyboardBoot()), 0xfff0, 0x0101, table),
                 InterfaceVerdict::CarriesInput);
    }

    void deviceTableIsReadAsTheProgramReadsIt()
    {
        const std::vector<TableEntry> table = shippedTable();
        QCOMPARE(table.size(), size_t(6));
        QCOMPARE(table[4].pid, uint16_t(0x0105));
        QCOMPARE(table[5].secondary.usagePage, uint16_t(0xff01));
        QCOMPARE(parseHex16("ff00"), uint16_t(0xff00));
        QCOMPARE(parseHex16(" 0x0001 "), uint16_t(1));
        QCOMPARE(parseHex16("ffzz"), uint16_t(0));
        QCOMPARE(parseHex16(""), uint16_t(0));
        QCOMPARE(parseHex16("1fff0"), uint16_t(0));  // not its low 16 bits
        std::istringstream noCount("[0]\nvid=fff0\n");
        QVERIFY(readDeviceTable(noCount).empty());
        std::istringstream badCount("[common]\ndeviceCount=many\n");
        QVERIFY(readDeviceTable(badCount).empty());
    }

    void truncatedDescriptorsAreNeverGranted()
    {
        const QByteArray whole = descriptors::vendorCommand();
        for (int length = 0; length < whole.size(); ++length) {
            const DescriptorReading reading = readBytes(whole.left(length));
            QVERIFY2(classifyInterface(reading, 0xfff0, 0x0101, shippedTable()) != InterfaceVerdict::CommandInterface,
                     qPrintable(QString::number(length)));
        }
        QVERIFY(!readBytes(QByteArray::fromHex("0600")).wellFormed);          // two-byte page cut short
        QVERIFY(!readBytes(QByteArray::fromHex("fe0510aabb")).wellFormed);    // long item cut short
        QVERIFY(!readBytes(QByteArray::fromHex("c0")).wellFormed);            // end without collection
        QVERIFY(!readBytes(QByteArray::fromHex("b4")).wellFormed);            // pop without push
        QVERIFY(!readBytes(QByteArray(4097, char(0x00))).wellFormed);        // longer than the kernel's limit
    }

    void garbageNeverCrashesNorGrantsInput()
    {
        QRandomGenerator random(20261208);
        const std::vector<TableEntry> table = shippedTable();
        const QByteArray seeds[] = {descriptors::vendorCommand(), descriptors::keyboardBoot(),
                                    descriptors::consumerControl(), descriptors::vendorExtendedUsage()};
        int granted = 0;
        for (int round = 0; round < 20000; ++round) {
            QByteArray data;
            if (round % 2 == 0) {
                data.resize(int(random.bounded(600)));
                for (char &c : data)
                    c = char(random.bounded(256));
            } else {
                data = seeds[random.bounded(4)];
                for (int flips = 1 + int(random.bounded(4)); flips > 0; --flips)
                    data[int(random.bounded(data.size()))] = char(random.bounded(256));
            }
            const DescriptorReading reading = readBytes(data);
            const InterfaceVerdict verdict = classifyInterface(reading, 0xfff0, 0x0101, table);
            if (verdict == InterfaceVerdict::CommandInterface) {
                ++granted;
                for (const TopLevelCollection &c : reading.collections)
                    QVERIFY(isVendorDefinedPage(c.usagePage));
            }
        }
        QVERIFY2(granted > 0, "mutations that keep the vendor interface intact are still granted");
    }

    void helperAnswersUdevForHidrawNodes()
    {
        QTemporaryDir dir;
        const QStringList table{QStringLiteral("--table"), kShippedTable};
        const HelperRun vendor =
            runHelper(table + QStringList{fakeHidrawNode(dir, descriptors::vendorCommand(), "0003:0000FFF0:00000101")});
        QCOMPARE(vendor.exitCode, 0);
        QCOMPARE(vendor.out, QByteArray("GEARCONSOLE_COMMAND_INTERFACE=1\n"));

        const HelperRun keyboard =
            runHelper(table + QStringList{fakeHidrawNode(dir, descriptors::keyboardBoot(), "0003:0000FFF0:00000101")});
        QCOMPARE(keyboard.exitCode, 0);
        QCOMPARE(keyboard.out, QByteArray());
        QVERIFY(keyboard.err.contains("carries input"));

        const HelperRun consumer =
            runHelper(table + QStringList{fakeHidrawNode(dir, descriptors::consumerControl(), "0003:0000FFF0:00000101")});
        QCOMPARE(consumer.out, QByteArray());

        const HelperRun loader =
            runHelper(table + QStringList{fakeHidrawNode(dir, descriptors::vendorCommand(), "0003:000004D9:00008022")});
        QCOMPARE(loader.out, QByteArray("GEARCONSOLE_COMMAND_INTERFACE=1\n"));

        const HelperRun noIds = runHelper(table + QStringList{fakeHidrawNode(dir, descriptors::vendorCommand(), "junk")});
        QCOMPARE(noIds.exitCode, 1);
        QCOMPARE(noIds.out, QByteArray());
    }

    void helperRefusesGarbageFilesAndBadUsage()
    {
        QTemporaryDir dir;
        const QString garbage = dir.path() + QStringLiteral("/garbage");
        writeFile(garbage, QByteArray::fromHex("0600ffa101"));
        const QStringList table{QStringLiteral("--table"), kShippedTable};
        const HelperRun run = runHelper(table + QStringList{QStringLiteral("--descriptor"), garbage,
                                                            QStringLiteral("--id"), QStringLiteral("fff0:0101")});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(run.err.contains("collection left open"));

        QCOMPARE(runHelper({}).exitCode, 2);
        QCOMPARE(runHelper({QStringLiteral("--descriptor"), garbage}).exitCode, 2);
        QCOMPARE(runHelper(table + QStringList{QStringLiteral("--descriptor"), garbage, QStringLiteral("--id"),
                                               QStringLiteral("fff0")}).exitCode, 2);
        const HelperRun noTable = runHelper({QStringLiteral("--table"), dir.path() + QStringLiteral("/none"),
                                             QStringLiteral("--descriptor"), garbage, QStringLiteral("--id"),
                                             QStringLiteral("fff0:0101")});
        QCOMPARE(noTable.exitCode, 1);
        QVERIFY(noTable.err.contains("device table"));
    }
};

QTEST_GUILESS_MAIN(HidrawUsageTest)
#include "tst_hidraw_usage.moc"
