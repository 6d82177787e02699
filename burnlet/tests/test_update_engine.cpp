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

#include <functional>

using namespace testing;
using firmware::Cause;
using firmware::KeyboardState;

namespace {
constexpr uint8_t kOldFirmware = 0x5A;

using Runs = QList<QPair<uint32_t, int>>;  // address, length: each run a pattern of its own
using Arrange = std::function<void(firmware::UpdateEngine &)>;

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

// The flash after a good update: the image's bytes, the rest of the pages they touch
// erased, every other page's old firmware kept.
QByteArray flashAfter(const firmware::FirmwareImage &image, int *pagesTouched)
{
    QByteArray flash(int(bootsim::kFlashBytes), char(kOldFirmware));
    QSet<uint32_t> pages;
    for (const auto &run : image.runs)
        for (uint32_t at = run.address; at < run.address + run.bytes.size(); ++at)
            pages.insert(at / bootsim::kPageBytes);
    for (uint32_t page : pages)
        flash.replace(int(page * bootsim::kPageBytes), int(bootsim::kPageBytes), QByteArray(int(bootsim::kPageBytes), char(0xFF)));
    for (const auto &run : image.runs)
        flash.replace(int(run.address), int(run.bytes.size()), bytes(run.bytes));
    *pagesTouched = int(pages.size());
    return flash;
}
}  // namespace

Q_DECLARE_METATYPE(Runs)
Q_DECLARE_METATYPE(Arrange)
Q_DECLARE_METATYPE(firmware::Cause)
Q_DECLARE_METATYPE(firmware::KeyboardState)

class UpdateEngineTests : public QObject {
    Q_OBJECT

private slots:
    // Erased, written and checked page by page, restarted once; writes counted where known.
    void updateWritesTheImageAndTouchesNothingElse_data()
    {
        QTest::addColumn<Runs>("runs");
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<int>("writes");  // 0: not counted
        QTest::newRow("two transfers, the last a single byte") << Runs{{0x1000, 1009}} << 1008 << 2;
        QTest::newRow("sparse: only its own pages") << Runs{{0x0000, 16}, {0xF000, 16}} << 1008 << 0;
        QTest::newRow("runs sharing and neighbouring pages")
            << Runs{{0x0010, 0x10}, {0x0040, 0x10}, {0x0090, 1}, {0x0200, 0x101}} << 1008 << 0;
        QTest::newRow("the whole flash, erased in pieces") << Runs{{0x0000, 0x10000}} << 1008 << 0;
        for (const auto &[block, total] : QList<QPair<int, int>>{
                 {1, 301}, {8, 1001}, {48, 1001}, {63, 1001}, {64, 1001}, {100, 4099}, {1000, 8193}, {1008, 9001}})
            QTest::addRow("block %d, %d bytes", block, total) << Runs{{0x2001, total}} << block << 0;
    }
    void updateWritesTheImageAndTouchesNothingElse()
    {
        QFETCH(Runs, runs);
        QFETCH(int, blockSize);
        QFETCH(int, writes);
        keyboardWithOldFirmware();
        firmware::FirmwareImage image;
        for (const auto &[address, length] : runs)
            image.runs.push_back({address, pattern(size_t(length), uint8_t(address + blockSize))});
        firmware::UpdateEngine engine;
        const firmware::Outcome outcome = update(image, uint16_t(blockSize), &engine);

        QVERIFY2(outcome.succeeded(), firmware::describeOutcome(outcome, firmware::Language::English).c_str());
        QCOMPARE(outcome.state, KeyboardState::Restarted);
        QVERIFY(outcome.verified);
        int pages = 0;
        QCOMPARE(flashRange(0, bootsim::kFlashBytes), flashAfter(image, &pages));
        QCOMPARE(sim().device.erases, pages);
        QCOMPARE(sim().device.resets, 1);
        QCOMPARE(sim().openHandles(), 0);
        QCOMPARE(engine.progress(), 100);
        QCOMPARE(sim().log.opcodes().front(), uint8_t(7));  // update mode first, the restart last
        QCOMPARE(sim().log.opcodes().back(), uint8_t(8));
        if (writes) {
            QCOMPARE(sim().log.countOpcode(3), writes);
            QCOMPARE(sim().log.countOpcode(2), 1 + writes);  // one blank check, then a check per write
        }
        QCOMPARE(sim().device.malformedReports, 0);
        QCOMPARE(sim().device.overrunBytes, size_t(0));
    }

    // A blank check's length is 16-bit: the whole flash is checked in two pieces.
    void theWholeFlashIsCheckedInPieces()
    {
        QCOMPARE(firmware::piecesOf({{0, 0x10000}}, 0x8000).size(), size_t(2));
    }

    void blockSizesItCannotSendAreRefused_data()
    {
        QTest::addColumn<int>("blockSize");
        QTest::addColumn<bool>("taken");
        for (const auto &[block, taken] : QList<QPair<int, bool>>{
                 {0, false}, {1, true}, {64, true}, {firmware::kLargestBlock, true},
                 {firmware::kLargestBlock + 1, false}, {1024, false}, {65535, false}})
            QTest::addRow("%d", block) << block << taken;
    }
    void blockSizesItCannotSendAreRefused()
    {
        QFETCH(int, blockSize);
        QFETCH(bool, taken);
        firmware::UpdateOptions options;
        options.blockSize = uint16_t(blockSize);
        QCOMPARE(!firmware::whyOptionsRefused(options), taken);
        if (!taken)
            return;
        // Whole blocks, never more than sixteen reports between two waits.
        const int transfer = firmware::transferBytesFor(uint16_t(blockSize));
        QVERIFY(transfer % blockSize == 0);
        QVERIFY(transfer == blockSize || (transfer + 62) / 63 <= firmware::kReportsInFlight);
    }

    // Each failure leaves the keyboard in a state the message must name, with the next
    // step, and none restarts the keyboard.
    void failuresSayTheKeyboardsStateAndTheNextStep_data()
    {
        QTest::addColumn<Arrange>("arrange");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<KeyboardState>("state");
        QTest::addColumn<QStringList>("said");
        const QString unchanged = "Nothing was written; the keyboard is unchanged.";
        const QString incomplete = "The keyboard is in its update mode with incomplete firmware.";
        const QString runAgain = "It is safe to run the update again without unplugging it.";
        const auto row = [](const char *name, Arrange arrange, Cause cause, KeyboardState state, QStringList said) {
            QTest::newRow(name) << arrange << cause << state << said;
        };
        auto &device = sim().device;
        auto &faults = sim().faults;
        row("no boot loader", [](auto &) { sim().devicesPresent = 0; }, Cause::NoBootLoader, KeyboardState::Unchanged,
            {"No keyboard in its update mode", unchanged, "Put the keyboard"});
        row("two boot loaders", [](auto &) { sim().devicesPresent = 2; }, Cause::SeveralBootLoaders,
            KeyboardState::Unchanged, {"2 keyboards in their update mode", unchanged, "Unplug all of them but"});
        row("answers without the marker", [&](auto &) { device.setMarker("app "); }, Cause::NoMarker,
            KeyboardState::Unchanged, {"lacks the update-mode marker", unchanged, "Unplug that device"});
        row("status unanswered", [&](auto &) { faults.failStatusReadAt = 0; }, Cause::NotAnswering,
            KeyboardState::Unchanged, {"did not answer", unchanged});
        row("erase refused", [&](auto &) { faults.failOpcode = 1; }, Cause::DeviceFailed, KeyboardState::Incomplete,
            {"Erasing the old firmware failed", incomplete, runAgain});
        row("cell stuck at 00", [&](auto &) { device.behaviour.stuckCell = 0x1010; device.flash[0x1010] = 0x00; },
            Cause::NotBlank, KeyboardState::Incomplete, {"did not read blank", incomplete, runAgain, "faulty"});
        row("cell stuck erased", [&](auto &) { device.behaviour.stuckCell = 0x1010; device.flash[0x1010] = 0xFF; },
            Cause::VerifyMismatch, KeyboardState::VerifyFailed,
            {"does not match the image", "was not restarted into it", runAgain});
        row("control byte stuck", [&](auto &) { device.setControlByte(0x03); device.behaviour.controlByteStuck = true; },
            Cause::DeviceFailed, KeyboardState::Incomplete,
            {"Writing the new firmware failed", "(39)", incomplete, runAgain});
        row("progress word stalls", [&](auto &) { device.behaviour.progressWordStalls = true; }, Cause::DeviceFailed,
            KeyboardState::Incomplete, {"did not confirm the data", "(45)", incomplete, runAgain});
        // The second write transfer; the second check transfer (the first opcode 2 is the blank check).
        row("unplugged while writing", [&](auto &) { faults.unplugAtOpcode = 3; faults.unplugAtOccurrence = 1; },
            Cause::DeviceFailed, KeyboardState::Incomplete,
            {"firmware is incomplete", "no longer connected", "Plug it in again", "run the update again"});
        row("unplugged, still listed for a moment",
            [&](auto &) { faults.unplugAtOpcode = 3; faults.unplugAtOccurrence = 1; faults.searchesFindingUnplugged = 3; },
            Cause::DeviceFailed, KeyboardState::Incomplete, {"no longer connected", "Plug it in again"});
        row("unplugged while verifying", [&](auto &) { faults.unplugAtOpcode = 2; faults.unplugAtOccurrence = 2; },
            Cause::DeviceFailed, KeyboardState::WrittenUnverified,
            {"Checking the new firmware failed", "The whole new firmware was written", "unverified",
             "so that the new firmware is checked"});
        row("stopped while writing",
            [](firmware::UpdateEngine &engine) {
                sim().onWrite = [&engine](const bootsim::SentData &) {
                    if (sim().device.session() == bootsim::Session::Write)
                        engine.requestStop();
                };
            },
            Cause::Stopped, KeyboardState::Incomplete, {"stopped on request", incomplete, runAgain});
        row("stopped before it began", [](firmware::UpdateEngine &engine) { engine.requestStop(); }, Cause::Stopped,
            KeyboardState::Unchanged, {"stopped", unchanged});
    }
    void failuresSayTheKeyboardsStateAndTheNextStep()
    {
        QFETCH(Arrange, arrange);
        QFETCH(Cause, cause);
        QFETCH(KeyboardState, state);
        QFETCH(QStringList, said);
        keyboardWithOldFirmware();
        firmware::UpdateEngine engine;
        arrange(engine);
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
        if (state == KeyboardState::Unchanged) {  // what the flash says, not only the message
            QCOMPARE(sim().device.erases, 0);
            QCOMPARE(flashRange(0x1000, 2000), QByteArray(2000, char(kOldFirmware)));
        }
    }

    void secondRunAfterAnUnplugCompletesTheUpdate()
    {
        keyboardWithOldFirmware();
        const auto image = imageOf({{0x0000, pattern(9000, 6)}});
        sim().faults.unplugAtOpcode = 3;
        sim().faults.unplugAtOccurrence = 1;
        const firmware::Outcome first = update(image);
        QCOMPARE(first.state, KeyboardState::Incomplete);
        QVERIFY(first.deviceGone);

        sim().plugIn();
        const firmware::Outcome second = update(image);
        QVERIFY2(second.succeeded(), firmware::describeOutcome(second, firmware::Language::English).c_str());
        QCOMPARE(flashRange(0, 9000), bytes(image.runs[0].bytes));
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
