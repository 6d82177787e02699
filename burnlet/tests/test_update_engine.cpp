// The update engine against the simulated boot loader, which behaves like flash (writing
// only clears bits, an erase sets 0xFF): what it erases and writes, and for every way an
// update can fail, the state the keyboard is left in and the words that say so.
#include "flash_plan.h"
#include "image_check.h"
#include "sim_fixture.h"
#include "update_engine.h"
#include "update_lock.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace testing;
using firmware::Cause;
using firmware::KeyboardState;

Q_DECLARE_METATYPE(firmware::Cause)
Q_DECLARE_METATYPE(firmware::KeyboardState)

namespace {
constexpr uint8_t kOldFirmware = 0x5A;

firmware::FirmwareImage imageOf(std::initializer_list<std::pair<uint32_t, std::vector<uint8_t>>> runs)
{
    firmware::FirmwareImage image;
    for (const auto &[address, bytes] : runs)
        image.runs.push_back({address, bytes});
    return image;
}

// A keyboard holding old firmware everywhere, as one does before an update.
void keyboardWithOldFirmware()
{
    freshDevice();
    std::fill(sim().device.flash.begin(), sim().device.flash.end(), kOldFirmware);
}

firmware::Outcome update(const firmware::FirmwareImage &image, uint16_t blockSize = firmware::kDefaultBlockSize,
                         firmware::UpdateEngine *engine = nullptr)
{
    firmware::UpdateEngine own;
    firmware::UpdateOptions options;
    options.blockSize = blockSize;
    return (engine ? *engine : own).run(image, options);
}

// The faults of the failure table, each a way a real update can go wrong.
enum class Fault {
    NoBootLoader, TwoBootLoaders, NotABootLoader, StatusUnanswered, EraseRefused, CellStuckAtZero,
    CellStuckErased, ControlByteStuck, ProgressWordStalls, UnpluggedWhileWriting, UnpluggedWhileVerifying,
    StopWhileWriting, StopBeforeStart,
};

void arrange(Fault fault, firmware::UpdateEngine &engine)
{
    auto &device = sim().device;
    switch (fault) {
    case Fault::NoBootLoader: sim().devicesPresent = 0; break;
    case Fault::TwoBootLoaders: sim().devicesPresent = 2; break;
    case Fault::NotABootLoader: device.setMarker("app "); break;
    case Fault::StatusUnanswered: sim().faults.failStatusReadAt = 0; break;
    case Fault::EraseRefused: sim().faults.failOpcode = 1; break;
    case Fault::CellStuckAtZero: device.behaviour.stuckCell = 0x1010; device.flash[0x1010] = 0x00; break;
    case Fault::CellStuckErased: device.behaviour.stuckCell = 0x1010; device.flash[0x1010] = 0xFF; break;
    case Fault::ControlByteStuck: device.setControlByte(0x03); device.behaviour.controlByteStuck = true; break;
    case Fault::ProgressWordStalls: device.behaviour.progressWordStalls = true; break;
    // The second write transfer, and the second check transfer (the first opcode 2 is the
    // blank check).
    case Fault::UnpluggedWhileWriting: sim().faults.unplugAtOpcode = 3; sim().faults.unplugAtOccurrence = 1; break;
    case Fault::UnpluggedWhileVerifying: sim().faults.unplugAtOpcode = 2; sim().faults.unplugAtOccurrence = 2; break;
    case Fault::StopWhileWriting:
        sim().onWrite = [&engine](const bootsim::SentData &) {
            if (sim().device.session() == bootsim::Session::Write)
                engine.requestStop();
        };
        break;
    case Fault::StopBeforeStart: engine.requestStop(); break;
    }
}
}  // namespace

Q_DECLARE_METATYPE(Fault)

class UpdateEngineTests : public QObject {
    Q_OBJECT

private slots:
    void updateErasesWritesVerifiesAndRestarts()
    {
        keyboardWithOldFirmware();
        const auto firmware = pattern(1009, 3);  // two transfers, the last one a single byte
        firmware::UpdateEngine engine;
        const firmware::Outcome outcome = update(imageOf({{0x1000, firmware}}), firmware::kDefaultBlockSize, &engine);

        QVERIFY2(outcome.succeeded(), firmware::describeOutcome(outcome, firmware::Language::English).c_str());
        QCOMPARE(outcome.state, KeyboardState::Restarted);
        QVERIFY(outcome.verified);
        QCOMPARE(flashRange(0x1000, firmware.size()), bytes(firmware));
        // The pages it touched and nothing else: old firmware before, erased after the image.
        QCOMPARE(sim().device.flash[0x0FFF], kOldFirmware);
        QCOMPARE(flashRange(0x1000 + 1009, 0x1400 - 0x1000 - 1009), QByteArray(0x1400 - 0x1000 - 1009, char(0xFF)));
        QCOMPARE(sim().device.flash[0x1400], kOldFirmware);
        QCOMPARE(sim().device.erases, 0x400 / 128);
        QCOMPARE(sim().device.resets, 1);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(engine.progress(), 100);
        // Update mode, the erases, one blank check, two writes, two checks, the restart.
        const std::vector<uint8_t> opcodes = sim().log.opcodes();
        QCOMPARE(opcodes.front(), uint8_t(7));
        QCOMPARE(opcodes.back(), uint8_t(8));
        QCOMPARE(sim().log.countOpcode(3), 2);
        QCOMPARE(sim().log.countOpcode(2), 1 + 2);
        QCOMPARE(sim().device.malformedReports, 0);
        QCOMPARE(sim().device.overrunBytes, size_t(0));
    }

    // Two records at 0x0000 and 0xF000: only their pages are erased and written.
    void sparseImageTouchesOnlyItsOwnPages()
    {
        keyboardWithOldFirmware();
        const auto low = pattern(16, 1), high = pattern(16, 2);
        const firmware::Outcome outcome = update(imageOf({{0x0000, low}, {0xF000, high}}));

        QVERIFY(outcome.succeeded());
        QCOMPARE(flashRange(0x0000, 16), bytes(low));
        QCOMPARE(flashRange(0xF000, 16), bytes(high));
        QCOMPARE(flashRange(0x0010, 128 - 16), QByteArray(128 - 16, char(0xFF)));
        QCOMPARE(flashRange(0x0080, 0xF000 - 0x80), QByteArray(0xF000 - 0x80, char(kOldFirmware)));
        QCOMPARE(flashRange(0xF080, 0x10000 - 0xF080), QByteArray(0x10000 - 0xF080, char(kOldFirmware)));
        QCOMPARE(sim().device.erases, 2);
    }

    void erasePlanCoversWholePagesOfEachRun()
    {
        const auto image = imageOf({{0x0010, pattern(0x70)}, {0x0090, pattern(1)}, {0x0200, pattern(0x101)}});
        const std::vector<firmware::FlashRange> expected = {{0x0000, 0x100}, {0x0200, 0x180}};
        QCOMPARE(firmware::pagesToErase(image, 128) == expected, true);
        QCOMPARE(firmware::piecesOf({{0, 0x10000}}, 0x8000).size(), size_t(2));
    }

    // Every block size the engine takes reaches the flash byte for byte, whatever the total.
    void everyBlockSizeWritesExactlyTheImage_data()
    {
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("total");
        for (const auto &[block, total] : std::vector<std::pair<int, int>>{
                 {1, 301}, {8, 1001}, {48, 1001}, {63, 1001}, {64, 1001}, {100, 4099}, {1000, 8193}, {1008, 9001}})
            QTest::addRow("block %d, %d bytes", block, total) << block << total;
    }
    void everyBlockSizeWritesExactlyTheImage()
    {
        QFETCH(int, blockSize);
        QFETCH(int, total);
        keyboardWithOldFirmware();
        const auto firmware = pattern(size_t(total), uint8_t(blockSize));
        const firmware::Outcome outcome = update(imageOf({{0x2001, firmware}}), uint16_t(blockSize));
        QVERIFY2(outcome.succeeded(), firmware::describeOutcome(outcome, firmware::Language::English).c_str());
        QCOMPARE(flashRange(0x2001, firmware.size()), bytes(firmware));
        QCOMPARE(sim().device.overrunBytes, size_t(0));
    }

    void blockSizesItCannotSendAreRefused_data()
    {
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<bool>("taken");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("largest") << int(firmware::kLargestBlock) << true;
        QTest::newRow("64") << 64 << true;
        QTest::newRow("above sixteen reports") << int(firmware::kLargestBlock) + 1 << false;
        QTest::newRow("1024") << 1024 << false;
        QTest::newRow("65535") << 65535 << false;
    }
    void blockSizesItCannotSendAreRefused()
    {
        QFETCH(int, blockSize);
        QFETCH(bool, taken);
        firmware::UpdateOptions options;
        options.blockSize = uint16_t(blockSize);
        QCOMPARE(!firmware::whyOptionsRefused(options), taken);
        if (taken)  // whole blocks, never more than sixteen reports between two waits
            QVERIFY(firmware::transferBytesFor(uint16_t(blockSize)) % blockSize == 0 &&
                    (firmware::transferBytesFor(uint16_t(blockSize)) / blockSize == 1 ||
                     (firmware::transferBytesFor(uint16_t(blockSize)) + 62) / 63 <= firmware::kReportsInFlight));
    }

    // The table of failures: each leaves the keyboard in a state the message must name,
    // with the next step, and none restarts the keyboard.
    void failuresSayTheKeyboardsStateAndTheNextStep_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<KeyboardState>("state");
        QTest::addColumn<QStringList>("said");
        const QString unchanged = "Nothing was written; the keyboard is unchanged.";
        const QString incomplete = "The keyboard is in its update mode with incomplete firmware.";
        const QString runAgain = "It is safe to run the update again without unplugging it.";
        QTest::newRow("no boot loader") << Fault::NoBootLoader << Cause::NoBootLoader << KeyboardState::Unchanged
                                        << QStringList{"No keyboard in its update mode", unchanged, "Put the keyboard"};
        QTest::newRow("two boot loaders")
            << Fault::TwoBootLoaders << Cause::SeveralBootLoaders << KeyboardState::Unchanged
            << QStringList{"2 keyboards in their update mode", unchanged, "Unplug all of them but"};
        QTest::newRow("answers without the marker")
            << Fault::NotABootLoader << Cause::NoMarker << KeyboardState::Unchanged
            << QStringList{"lacks the update-mode marker", unchanged, "Unplug that device"};
        QTest::newRow("status unanswered") << Fault::StatusUnanswered << Cause::NotAnswering
                                           << KeyboardState::Unchanged << QStringList{"did not answer", unchanged};
        QTest::newRow("erase refused") << Fault::EraseRefused << Cause::DeviceFailed << KeyboardState::Incomplete
                                       << QStringList{"Erasing the old firmware failed", incomplete, runAgain};
        QTest::newRow("cell stuck at 00") << Fault::CellStuckAtZero << Cause::NotBlank << KeyboardState::Incomplete
                                          << QStringList{"did not read blank", incomplete, runAgain, "faulty"};
        QTest::newRow("cell stuck erased")
            << Fault::CellStuckErased << Cause::VerifyMismatch << KeyboardState::VerifyFailed
            << QStringList{"does not match the image", "was not restarted into it", runAgain};
        QTest::newRow("control byte stuck")
            << Fault::ControlByteStuck << Cause::DeviceFailed << KeyboardState::Incomplete
            << QStringList{"Writing the new firmware failed", "(39)", incomplete, runAgain};
        QTest::newRow("progress word stalls")
            << Fault::ProgressWordStalls << Cause::DeviceFailed << KeyboardState::Incomplete
            << QStringList{"did not confirm the data", "(45)", incomplete, runAgain};
        QTest::newRow("unplugged while writing")
            << Fault::UnpluggedWhileWriting << Cause::DeviceFailed << KeyboardState::Incomplete
            << QStringList{"firmware is incomplete", "no longer connected", "Plug it in again", "run the update again"};
        QTest::newRow("unplugged while verifying")
            << Fault::UnpluggedWhileVerifying << Cause::DeviceFailed << KeyboardState::WrittenUnverified
            << QStringList{"Checking the new firmware failed", "The whole new firmware was written", "unverified",
                           "so that the new firmware is checked"};
        QTest::newRow("stopped while writing") << Fault::StopWhileWriting << Cause::Stopped << KeyboardState::Incomplete
                                               << QStringList{"stopped on request", incomplete, runAgain};
        QTest::newRow("stopped before it began") << Fault::StopBeforeStart << Cause::Stopped
                                                 << KeyboardState::Unchanged << QStringList{"stopped", unchanged};
    }
    void failuresSayTheKeyboardsStateAndTheNextStep()
    {
        QFETCH(Fault, fault);
        QFETCH(Cause, cause);
        QFETCH(KeyboardState, state);
        QFETCH(QStringList, said);
        keyboardWithOldFirmware();
        firmware::UpdateEngine engine;
        arrange(fault, engine);
        auto image = pattern(2000, 4);  // two transfers
        image[0x10] = 0x12;  // what a cell stuck at 0xFF cannot take
        const firmware::Outcome outcome = update(imageOf({{0x1000, image}}), firmware::kDefaultBlockSize, &engine);

        QCOMPARE(outcome.cause, cause);
        QCOMPARE(outcome.state, state);
        const QString english = QString::fromStdString(firmware::describeOutcome(outcome, firmware::Language::English));
        for (const QString &part : said)
            QVERIFY2(english.contains(part), qPrintable(english));
        const QString chinese = QString::fromStdString(firmware::describeOutcome(outcome, firmware::Language::Chinese));
        QVERIFY(!chinese.isEmpty() && chinese != english);
        QCOMPARE(sim().device.resets, 0);
        QCOMPARE(sim().openHandles(), 0);
        // "Unchanged" is what the flash says, not only the message.
        if (state == KeyboardState::Unchanged) {
            QCOMPARE(sim().device.erases, 0);
            QCOMPARE(flashRange(0x1000, 2000), QByteArray(2000, char(kOldFirmware)));
        }
    }

    // The unplug in the middle leaves firmware that a second run completes.
    void secondRunAfterAnUnplugCompletesTheUpdate()
    {
        keyboardWithOldFirmware();
        const auto firmware = pattern(9000, 6);
        sim().faults.unplugAtOpcode = 3;
        sim().faults.unplugAtOccurrence = 1;
        const firmware::Outcome first = update(imageOf({{0x0000, firmware}}));
        QCOMPARE(first.state, KeyboardState::Incomplete);
        QVERIFY(first.deviceGone);

        sim().plugIn();
        const firmware::Outcome second = update(imageOf({{0x0000, firmware}}));
        QVERIFY2(second.succeeded(), firmware::describeOutcome(second, firmware::Language::English).c_str());
        QCOMPARE(flashRange(0, firmware.size()), bytes(firmware));
        QCOMPARE(sim().device.resets, 1);
    }

    // Read from inside the transfers, as a window's timer reads it: it only ever grows,
    // through the steps in order, to 100.
    void progressGrowsThroughTheStepsToTheEnd()
    {
        keyboardWithOldFirmware();
        firmware::UpdateEngine engine;
        QList<int> seen;
        QList<firmware::Stage> stages;
        sim().onWrite = [&](const bootsim::SentData &) {
            seen.append(engine.progress());
            if (stages.isEmpty() || stages.last() != engine.stage())
                stages.append(engine.stage());
        };
        QVERIFY(update(imageOf({{0, pattern(20000, 8)}}), 512, &engine).succeeded());
        QVERIFY(seen.size() > 50);
        for (int i = 1; i < seen.size(); ++i)
            QVERIFY2(seen[i] >= seen[i - 1], qPrintable(QString("%1 after %2").arg(seen[i]).arg(seen[i - 1])));
        QCOMPARE(stages, (QList<firmware::Stage>{firmware::Stage::BlankChecking, firmware::Stage::Programming,
                                                 firmware::Stage::Verifying}));
        QVERIFY(seen.last() >= 95);
        QCOMPARE(engine.progress(), 100);
    }

    // The device is fed whole reports: one laid out the old way (data from byte 0, padded
    // with zeros) does not pass for data.
    void reportsWithoutADataCountAreNotTakenAsData()
    {
        bootsim::BootLoaderModel device;
        device.downloadMode = device.flashWriteOpen = true;
        device.command({3, 0x00, 0x10, 48, 0, 0, 0, 0});
        std::array<uint8_t, 64> padded{};
        const auto data = pattern(48, 5);
        std::copy(data.begin(), data.end(), padded.begin());
        device.receiveReport(padded.data(), padded.size());
        QVERIFY(std::memcmp(device.flash.data() + 0x1000, data.data(), data.size()) != 0);
    }

    void oneUpdateAtATime()
    {
        QTemporaryDir folder;
        const std::string path = (folder.path() + "/update.lock").toStdString();
        auto first = std::make_unique<firmware::UpdateLock>(path);
        firmware::UpdateLock second(path);
        QVERIFY(first->take());
        QVERIFY(!second.take());
        QVERIFY(second.heldElsewhere());
        first.reset();  // the holder ends
        QVERIFY(second.take());
    }

    void imagesBeyondTheKeyboardsFlashAreRefused()
    {
        const firmware::FlashLayout small{0xC000, 128};
        QVERIFY(!firmware::whyUnprogrammable(imageOf({{0xBF00, pattern(0x100)}}), small));
        const auto why = firmware::whyUnprogrammable(imageOf({{0xBF00, pattern(0x101)}}), small);
        QVERIFY(why && why->find("beyond the keyboard's flash (0x0000 to 0xBFFF)") != std::string::npos);
        QVERIFY(firmware::whyUnprogrammable(imageOf({{0x10, pattern(8)}, {0x14, pattern(8)}}), small));
        QVERIFY(firmware::whyUnprogrammable(firmware::FirmwareImage{}, small));
    }
};

QTEST_APPLESS_MAIN(UpdateEngineTests)
#include "test_update_engine.moc"
