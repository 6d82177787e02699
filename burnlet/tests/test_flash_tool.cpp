// burnlet-flash: reading images (Intel HEX or raw, told apart by content), its command line,
// and updating the simulated boot loader end to end; the built program itself is run for the
// refusals it makes on its own.
#include "command_line.h"
#include "flash_tool.h"
#include "hex_text.h"
#include "image_file.h"
#include "intel_hex.h"
#include "sim_fixture.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <sstream>

#include "update_lock.h"

using namespace testing;

namespace {
using Arrange = std::function<void(firmware::UpdateEngine &)>;

firmware::ImageRead parse(const QByteArray &text)
{
    std::istringstream in(text.toStdString());
    return firmware::parseIntelHex(in);
}

// A keyboard holding old firmware everywhere, as one does before an update.
void keyboardWithOldFirmware()
{
    freshDevice();
    std::fill(sim().device.flash.begin(), sim().device.flash.end(), uint8_t(0x5A));
}

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &arguments, firmware::UpdateEngine *engine = nullptr)
{
    std::vector<std::string> args;
    for (const QString &a : arguments)
        args.push_back(a.toStdString());
    std::ostringstream out, err;
    const int code = flashtool::runFlashTool(args, out, err, engine);
    return {code, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}
}  // namespace

Q_DECLARE_METATYPE(Arrange)

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
    // Records with a gap between them stay two runs: the gap is the device's, not the image's.
    void hexRecordsBuildRuns()
    {
        const auto first = pattern(20, 3), touching = pattern(12, 5), second = pattern(5, 4);
        const auto image = parse(record(0, 0x1010, first) + record(0, 0x1024, touching) + record(0, 0x1040, second) +
                                 endOfFile());

        QVERIFY2(image.image, image.refusal.c_str());
        QCOMPARE(image.image->format, firmware::ImageFormat::IntelHex);
        QCOMPARE(image.image->runs.size(), size_t(2));
        QCOMPARE(image.image->runs[0].address, 0x1010u);
        QCOMPARE(bytes(image.image->runs[0].bytes), bytes(first) + bytes(touching));
        QCOMPARE(image.image->runs[1].address, 0x1040u);
        QCOMPARE(bytes(image.image->runs[1].bytes), bytes(second));
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
        QVERIFY2(image.image, image.refusal.c_str());
        QCOMPARE(image.image->runs.size(), size_t(1));
        QCOMPARE(image.image->runs[0].address, start);
        QCOMPARE(image.image->runs[0].bytes.size(), size_t(1));
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
        QTest::newRow("line longer than a record") << QByteArray(":") + QByteArray(2000, 'A') + "\n" + endOfFile()
                                                    << "line 1: longer than any record can be (521 characters)";
    }

    void corruptHexIsRefused()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        const auto image = parse(text);
        const bool refused = !image.image || image.image->totalBytes() == 0;
        QVERIFY(refused);
        QVERIFY2(QString::fromStdString(image.refusal).contains(reason), image.refusal.c_str());
    }

    void commandLineIsRead_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("address");  // -1: not given
        QTest::newRow("file only") << QStringList{"fw.bin"} << true << true << int(firmware::kDefaultBlockSize) << -1;
        QTest::newRow("everything") << QStringList{"--no-verify", "--block", "0x20", "--address", "4096", "fw.bin"}
                                    << true << false << 32 << 4096;
        QTest::newRow("verify asked for") << QStringList{"--verify", "--edition", "dusken", "fw.bin"} << true << true
                                          << int(firmware::kDefaultBlockSize) << -1;
        QTest::newRow("no file") << QStringList{"--verify"} << false << false << 0 << 0;
        QTest::newRow("two files") << QStringList{"a.bin", "b.bin"} << false << false << 0 << 0;
        QTest::newRow("block 0") << QStringList{"--block", "0", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("block above a transfer") << QStringList{"--block", "4097", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("address too big") << QStringList{"--address", "0x10000", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("negative") << QStringList{"--address", "-1", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("missing value") << QStringList{"a.bin", "--block"} << false << false << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"--force", "a.bin"} << false << false << 0 << 0;
        QTest::newRow("unknown edition") << QStringList{"--edition", "tarnel", "a.bin"} << false << false << 0 << 0;
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

    // Over old firmware, as a user runs it: erased where the image goes, written, checked.
    void updatesTheDeviceFromAFile_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("raw");  // else Intel HEX at 0x2000
        QTest::addColumn<int>("checks");  // opcode-2 transfers: the blank check, then the verify ones
        // Sixteen reports at most between two waits: 16 blocks of 48, 8 of 100, one of 1008.
        QTest::newRow("block 48") << QStringList{"--block", "48"} << false << 1 + 2;
        QTest::newRow("block 100") << QStringList{"--block", "100"} << false << 1 + 2;
        QTest::newRow("defaults") << QStringList{} << false << 2;
        QTest::newRow("no verify") << QStringList{"--no-verify"} << false << 1;
        QTest::newRow("raw binary at its address") << QStringList{"--address", "0xC000"} << true << 2;
    }
    void updatesTheDeviceFromAFile()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, raw);
        QFETCH(int, checks);
        keyboardWithOldFirmware();
        const auto firmware = pattern(1000, 9);
        const uint16_t address = raw ? 0xC000 : 0x2000;
        const QString file = raw ? writeFile("firmware.bin", bytes(firmware))
                                 : writeFile("firmware.hex", hexImage(address, firmware) + endOfFile());

        const ToolRun run = runTool(options << file);

        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(flashRange(address, firmware.size()), bytes(firmware));
        QCOMPARE(sim().device.resets, 1);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(sim().log.countOpcode(7), 1);
        QCOMPARE(sim().log.countOpcode(2), checks);
        QVERIFY(run.err.contains("100%"));
        QVERIFY2(run.out.contains(checks > 1 ? "Done. The new firmware was written and verified"
                                              : "Done. The new firmware was written without being checked"),
                 qPrintable(run.out));
    }

    // The content decides, never the name.
    void imagesAreToldApartByContent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("format");
        const auto data = pattern(40, 7);
        const QByteArray hex = hexImage(0x0300, data) + endOfFile();
        QTest::newRow("HEX named .hex.txt") << "firmware.hex.txt" << hex << int(firmware::ImageFormat::IntelHex);
        QTest::newRow("HEX with no extension") << "firmware" << hex << int(firmware::ImageFormat::IntelHex);
        QTest::newRow("HEX after blank lines, CRLF") << "fw.hex" << "\r\n\n" + QByteArray(hex).replace("\n", "\r\n")
                                                     << int(firmware::ImageFormat::IntelHex);
        QTest::newRow("HEX with a byte-order mark") << "fw.hex" << "\xEF\xBB\xBF" + hex
                                                    << int(firmware::ImageFormat::IntelHex);
        QTest::newRow("byte-order mark, then a blank line") << "fw.hex" << "\xEF\xBB\xBF\r\n" + hex
                                                            << int(firmware::ImageFormat::IntelHex);
        QTest::newRow("binary named .hex") << "firmware.hex" << bytes(data) << int(firmware::ImageFormat::Raw);
    }
    void imagesAreToldApartByContent()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, format);
        const auto read = firmware::readImageFile(writeFile(name, content).toStdString(), std::nullopt);
        QVERIFY2(read.image, read.refusal.c_str());
        QCOMPARE(int(read.image->format), format);
        if (format == int(firmware::ImageFormat::IntelHex)) {
            QCOMPARE(read.image->runs.front().address, 0x0300u);
            QCOMPARE(read.image->totalBytes(), size_t(40));
        }
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
        QTest::newRow("raw past 0xFFFF") << "big.bin" << bytes(pattern(0x200)) << QStringList{"--address", "0xFF00"}
                                         << "longer than the 256 bytes that fit from 0xFF00";
        QTest::newRow("raw too long") << "huge.bin" << bytes(pattern(0x10001)) << QStringList{}
                                      << "longer than the 64 KiB";
        QTest::newRow("empty raw") << "empty.bin" << QByteArray() << QStringList{} << "the file is empty";
        QTest::newRow("address with hex") << "ok.hex" << record(0, 0, {1}) + endOfFile()
                                          << QStringList{"--address", "16"} << "applies to raw binary images only";
        QTest::newRow("HEX of more than 4 MiB") << "long.hex" << QByteArray(":") + QByteArray(5 << 20, 'A')
                                                << QStringList{} << "holds more than the boot loader's 64 KiB";
        QTest::newRow("a folder") << "." << QByteArray() << QStringList{} << "this is a folder";
        QTest::newRow("text that is not HEX") << "notes.bin" << QByteArray("release notes\n") << QStringList{}
                                              << "text file, but not Intel HEX";
    }
    void badImagesNeverReachTheDevice()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        freshDevice();
        const QString file = name == "." ? dir.path() : writeFile(name, content);

        const ToolRun run = runTool(options << file);

        QCOMPARE(run.exitCode, int(flashtool::kBadInput));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY2(run.err.contains("Nothing was written; the keyboard is unchanged."), qPrintable(run.err));
        QCOMPARE(sim().log.calls, 0);
    }

    // Each ends with what the keyboard holds, last, and never restarts it.
    void deviceFailuresAreExplained_data()
    {
        QTest::addColumn<Arrange>("arrange");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("writes");  // -1: not counted
        const int failed = flashtool::kDeviceFailed;
        QTest::newRow("no device") << Arrange([](auto &) { sim().faults.searchError = 0x1002; }) << failed
                                   << "No keyboard in its update mode was found. Nothing was written" << 0;
        QTest::newRow("not a boot loader") << Arrange([](auto &) { sim().device.setMarker("app "); }) << failed
                                           << "lacks the update-mode marker" << 0;
        QTest::newRow("flash cell broken") << Arrange([](auto &) {
            sim().device.behaviour.stuckCell = 0x0010;
            sim().device.flash[0x10] = 0xFF;
        }) << failed << "does not match the image" << -1;
        QTest::newRow("progress word stalls") << Arrange([](auto &) { sim().device.behaviour.progressWordStalls = true; })
                                              << failed << "did not confirm the data it was sent (45)" << -1;
        // The signal handler's request: the transfer under way is finished, no further one begun.
        QTest::newRow("stopped") << Arrange([](firmware::UpdateEngine &engine) {
            sim().onWrite = [&engine](const bootsim::SentData &) {
                if (sim().device.session() == bootsim::Session::Write)
                    engine.requestStop();
            };
        }) << int(flashtool::kStopped)
                                 << "The update was stopped on request. The keyboard is in its update mode with "
                                    "incomplete firmware. It is safe to run the update again without unplugging it."
                                 << 1;
    }
    void deviceFailuresAreExplained()
    {
        QFETCH(Arrange, arrange);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(int, writes);
        keyboardWithOldFirmware();
        firmware::UpdateEngine engine;
        arrange(engine);
        auto image = pattern(12000, 2);
        image[0x10] = 0x00;
        const ToolRun run = runTool({writeFile("fw.hex", hexImage(0, image) + endOfFile())}, &engine);

        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.trimmed().split('\n').last().contains(message), qPrintable(run.err));
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(sim().device.resets, 0);
        if (writes >= 0)
            QCOMPARE(sim().log.countOpcode(3), writes);
    }

    void anotherUpdateKeepsTheToolAway()
    {
        freshDevice();
        firmware::UpdateLock held;
        QVERIFY(held.take());
        const ToolRun run = runTool({writeFile("fw.bin", bytes(pattern(100)))});
        QCOMPARE(run.exitCode, int(flashtool::kDeviceFailed));
        QVERIFY2(run.err.contains("Another firmware update is running"), qPrintable(run.err));
        QCOMPARE(sim().log.calls, 0);
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

    // Endless or huge inputs under a memory limit: refused with a message, in bounded memory
    // (no limit under the address sanitizer, which reserves more than any limit allows).
    void builtProgramRefusesHugeImagesInBoundedMemory_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("/dev/zero") << "/dev/zero" << "longer than the 64 KiB";
        QTest::newRow("100 MB single-line HEX") << "line.hex" << "holds more than the boot loader's 64 KiB";
    }
    void builtProgramRefusesHugeImagesInBoundedMemory()
    {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QString file = input;
        if (!input.startsWith('/')) {
            file = writeFile(input, ":" + QByteArray(600, 'A'));
            QVERIFY(QFile::resize(file, 100 << 20));  // sparse: no room taken
        }
        const QString limit = qEnvironmentVariableIsSet("ASAN_OPTIONS") ? QString() : "ulimit -v 200000; ";
        QProcess tool;
        tool.start("sh", {"-c", limit + "exec \"$0\" \"$1\"", BURNLET_FLASH_PATH, file});
        QVERIFY(tool.waitForFinished(30000));
        const QByteArray err = tool.readAllStandardError();
        QCOMPARE(tool.exitCode(), int(flashtool::kBadInput));
        QVERIFY2(err.contains(message.toUtf8()), err.constData());
    }
};

QTEST_APPLESS_MAIN(FlashToolTests)
#include "test_flash_tool.moc"
