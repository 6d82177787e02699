// burnlet-flash: reading Intel HEX, its command line, and programming the simulated boot
// loader end to end; the built program itself is run for the refusals it makes on its own.
#include "command_line.h"
#include "flash_tool.h"
#include "intel_hex.h"
#include "sim_fixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sstream>

using namespace testing;

namespace {
// One Intel HEX record with a correct checksum.
QByteArray record(uint8_t type, uint16_t offset, const std::vector<uint8_t> &data)
{
    std::vector<uint8_t> raw = {uint8_t(data.size()), uint8_t(offset >> 8), uint8_t(offset & 0xFF), type};
    raw.insert(raw.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (uint8_t b : raw)
        sum = uint8_t(sum + b);
    raw.push_back(uint8_t(-sum));
    return ":" + bytes(raw).toHex().toUpper() + "\n";
}

QByteArray endOfFile()
{
    return ":00000001FF\n";
}

// data split into records of 16 bytes from `address` on.
QByteArray hexImage(uint16_t address, const std::vector<uint8_t> &data)
{
    QByteArray text;
    for (size_t at = 0; at < data.size(); at += 16) {
        const size_t n = std::min<size_t>(16, data.size() - at);
        text += record(0, uint16_t(address + at), std::vector<uint8_t>(data.begin() + long(at), data.begin() + long(at + n)));
    }
    return text;
}

flashtool::LoadedImage parse(const QByteArray &text)
{
    std::istringstream in(text.toStdString());
    return flashtool::parseIntelHex(in);
}

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &arguments)
{
    std::vector<std::string> args;
    for (const QString &a : arguments)
        args.push_back(a.toStdString());
    std::ostringstream out, err;
    const int code = flashtool::runFlashTool(args, out, err);
    return {code, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}
}  // namespace

class FlashToolTests : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QString &name, const QByteArray &content)
    {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(content);
        return file.fileName();
    }

private slots:
    void hexRecordsBuildOneImage()
    {
        const auto first = pattern(20, 3), second = pattern(5, 4);
        const auto image = parse(record(0, 0x1010, first) + record(0, 0x1030, second) + endOfFile());

        QVERIFY2(image.image, image.error.c_str());
        QCOMPARE(image.image->start, 0x1010u);
        QCOMPARE(image.image->bytes.size(), size_t(0x1035 - 0x1010));
        QCOMPARE(bytes(image.image->bytes).left(20), bytes(first));
        QCOMPARE(bytes(image.image->bytes).mid(20, 12), QByteArray(12, char(0xFF)));  // the gap stays erased
        QCOMPARE(bytes(image.image->bytes).right(5), bytes(second));
    }

    void hexAddressRecordsAreApplied_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<uint>("start");
        QTest::newRow("segment 0x0100") << record(2, 0, {0x01, 0x00}) + record(0, 0x0004, {0xAA}) + endOfFile()
                                       << 0x1004u;
        QTest::newRow("linear 0") << record(4, 0, {0x00, 0x00}) + record(0, 0x2000, {0xAA}) + endOfFile()
                                 << 0x2000u;
        QTest::newRow("start address ignored") << record(5, 0, {0, 0, 0x12, 0x34}) + record(0, 0x30, {0xAA}) +
                                                      endOfFile()
                                               << 0x30u;
        QTest::newRow("lower case and CRLF") << record(0, 0x40, {0xAB}).toLower().replace("\n", "\r\n") + endOfFile()
                                             << 0x40u;
    }

    void hexAddressRecordsAreApplied()
    {
        QFETCH(QByteArray, text);
        QFETCH(uint, start);
        const auto image = parse(text);
        QVERIFY2(image.image, image.error.c_str());
        QCOMPARE(image.image->start, start);
        QCOMPARE(image.image->bytes.size(), size_t(1));
    }

    void corruptHexIsRefused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        const QByteArray good = record(0, 0x0100, pattern(16));
        QByteArray badSum = good;
        badSum[badSum.size() - 2] = badSum[badSum.size() - 2] == '0' ? '1' : '0';
        QTest::newRow("checksum") << badSum + endOfFile() << "line 1: checksum mismatch";
        QTest::newRow("no start code") << good.mid(1) + endOfFile() << "line 1: a record must start with ':'";
        QTest::newRow("odd digits") << good + ":0000000\n" + endOfFile() << "line 2: odd number";
        QTest::newRow("not hex") << QByteArray(":02000000GG11ED\n") + endOfFile() << "line 1: 'GG' is not a hex byte";
        QTest::newRow("count too large") << QByteArray(":05000000AABBCC00\n") + endOfFile() << "byte count";
        QTest::newRow("unknown type") << record(6, 0, {1}) + endOfFile() << "unknown record type 0x06";
        QTest::newRow("no end") << good << "no end-of-file record";
        QTest::newRow("data after end") << good + endOfFile() + good << "line 3: a record follows the end-of-file";
        QTest::newRow("end with data") << good + record(1, 0, {1}) << "must carry 0 data bytes";
        QTest::newRow("beyond 16 bits") << record(4, 0, {0x00, 0x01}) + good + endOfFile()
                                        << "beyond the 16-bit address space";
        QTest::newRow("runs past 0xFFFF") << record(0, 0xFFF8, pattern(16)) + endOfFile()
                                          << "beyond the 16-bit address space";
        QTest::newRow("overlap") << good + record(0, 0x010F, {1, 2}) + endOfFile() << "overlap";
        QTest::newRow("no data") << endOfFile() << "";
    }

    void corruptHexIsRefused()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        const auto image = parse(text);
        const bool refused = !image.image || image.image->bytes.empty();
        QVERIFY(refused);
        QVERIFY2(QString::fromStdString(image.error).contains(reason), image.error.c_str());
    }

    void commandLineIsRead_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("address");  // -1: not given
        QTest::newRow("file only") << QStringList{"fw.bin"} << true << false << 64 << -1;
        QTest::newRow("everything") << QStringList{"--verify", "--block", "0x20", "--address", "4096", "fw.bin"}
                                    << true << true << 32 << 4096;
        QTest::newRow("no file") << QStringList{"--verify"} << false << false << 0 << 0;
        QTest::newRow("two files") << QStringList{"a.bin", "b.bin"} << false << false << 0 << 0;
        QTest::newRow("block 0") << QStringList{"--block", "0", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("block too big") << QStringList{"--block", "65536", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("address too big") << QStringList{"--address", "0x10000", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("negative") << QStringList{"--address", "-1", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("missing value") << QStringList{"a.bin", "--block"} << false << false << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"--force", "a.bin"} << false << false << 0 << 0;
    }

    void commandLineIsRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, valid);
        std::vector<std::string> args;
        for (const QString &a : arguments)
            args.push_back(a.toStdString());
        const auto parsed = flashtool::parseCommandLine(args);
        QCOMPARE(bool(parsed.options), valid);
        if (!valid) {
            QVERIFY(!parsed.error.empty());
            return;
        }
        QFETCH(bool, verify);
        QFETCH(int, blockSize);
        QFETCH(int, address);
        QCOMPARE(parsed.options->verify, verify);
        QCOMPARE(int(parsed.options->blockSize), blockSize);
        QCOMPARE(parsed.options->address ? int(*parsed.options->address) : -1, address);
        QCOMPARE(parsed.options->file, std::string("fw.bin"));
    }

    void programsAHexFileIntoTheDevice_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("verify, block 48") << QStringList{"--verify", "--block", "48"};
        QTest::newRow("default block, no verify") << QStringList{};
    }

    void programsAHexFileIntoTheDevice()
    {
        QFETCH(QStringList, options);
        freshDevice();
        const auto firmware = pattern(1000, 9);
        const QString file = writeFile("firmware.hex", hexImage(0x2000, firmware) + endOfFile());

        const ToolRun run = runTool(options << file);

        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(flashRange(0x2000, firmware.size()), bytes(firmware));
        QCOMPARE(sim().device.resets, 1);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(sim().log.countOpcode(7), 1);
        QCOMPARE(sim().log.countOpcode(2), options.contains("--verify") ? 1 : 0);
        QVERIFY(run.err.contains("100%"));
    }

    void programsARawBinaryAtItsAddress()
    {
        freshDevice();
        const auto firmware = pattern(300, 5);
        const QString file = writeFile("firmware.bin", bytes(firmware));

        const ToolRun run = runTool({"--verify", "--address", "0xC000", file});

        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(flashRange(0xC000, firmware.size()), bytes(firmware));
    }

    void badImagesNeverReachTheDevice_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QByteArray corrupt = record(0, 0, pattern(16)) + endOfFile();
        corrupt[3] = 'F';
        QTest::newRow("corrupt hex") << "bad.hex" << corrupt << QStringList{} << "checksum mismatch";
        QTest::newRow("unknown record") << "bad.hex" << record(7, 0, {1}) + endOfFile() << QStringList{}
                                        << "unknown record type";
        QTest::newRow("raw past 0xFFFF") << "big.bin" << QByteArray(0x200, 'x') << QStringList{"--address", "0xFF00"}
                                         << "beyond the 16-bit address space";
        QTest::newRow("raw too long") << "huge.bin" << QByteArray(0x10000, 'x') << QStringList{}
                                      << "at most 65535";
        QTest::newRow("empty raw") << "empty.bin" << QByteArray() << QStringList{} << "no data";
        QTest::newRow("address with hex") << "ok.hex" << record(0, 0, {1}) + endOfFile()
                                          << QStringList{"--address", "16"} << "--address applies to raw";
    }

    void badImagesNeverReachTheDevice()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        freshDevice();
        const QString file = writeFile(name, content);

        const ToolRun run = runTool(options << file);

        QCOMPARE(run.exitCode, int(flashtool::kBadInput));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(sim().log.calls, 0);
    }

    void deviceFailuresAreExplained_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("no device") << 0 << "0x1002: no boot loader";
        QTest::newRow("not a boot loader") << 1 << "entering download mode failed: 254";
        QTest::newRow("flash cell broken") << 2 << "programming failed: 43: verification failed";
        QTest::newRow("device stays busy") << 3 << "programming failed: 38";
    }

    void deviceFailuresAreExplained()
    {
        QFETCH(int, fault);
        QFETCH(QString, message);
        freshDevice();
        switch (fault) {
        case 0: sim().faults.searchError = 0x1002; break;
        case 1: sim().device.setMarker("app "); break;
        case 2: sim().device.behaviour.stuckCell = 0x0010; sim().device.flash[0x10] = 0x00; break;
        case 3: sim().device.behaviour.busyStuck = true; break;
        }
        const QString file = writeFile("fw.hex", hexImage(0, pattern(64, 2)) + endOfFile());

        const ToolRun run = runTool({"--verify", file});

        QCOMPARE(run.exitCode, int(flashtool::kDeviceFailed));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(sim().device.resets, 0);
    }

    void builtProgramRefusesCorruptHex()
    {
        QByteArray corrupt = record(0, 0, pattern(16)) + endOfFile();
        corrupt[5] = corrupt[5] == '0' ? '1' : '0';
        const QString file = writeFile("corrupt.hex", corrupt);
        QProcess tool;
        tool.start(BURNLET_FLASH_PATH, {file});
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), int(flashtool::kBadInput));
        QVERIFY(tool.readAllStandardError().contains("line 1: checksum mismatch"));
    }

    void builtProgramExplainsUsage()
    {
        QProcess tool;
        tool.start(BURNLET_FLASH_PATH, {"--block"});
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), int(flashtool::kBadInput));
        const QByteArray err = tool.readAllStandardError();
        QVERIFY(err.contains("--block needs a value"));
        QVERIFY(err.contains("usage: burnlet-flash"));
    }
};

QTEST_APPLESS_MAIN(FlashToolTests)
#include "test_flash_tool.moc"
