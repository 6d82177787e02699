#include "update_engine.h"

#include "boot_loader_search.h"
#include "burnlet.h"
#include "flash_plan.h"
#include "hiddll.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace firmware {

namespace {
constexpr uint8_t kMainFlash = 0;
constexpr uint8_t kBlankCheckArea = 2;  // the device checks main flash for the erased value
constexpr uint8_t kPageSelector = 0;    // erase one page of main flash
constexpr uint16_t kBlankCheckBlock = 64;  // the most BlankCheck sends per step
constexpr uint32_t kBlankCheckPiece = 0x8000;
constexpr char kMarker[4] = {'w', 'u', 'm', '-'};
constexpr int kStatusMarkerByte = 2;
constexpr int kWhole = 1000;  // the bar in tenths of a percent
// A keyboard being unplugged stops answering a moment before the system drops its
// device: it is looked for this often, this long, before it counts as still there.
constexpr auto kGoneCheckInterval = std::chrono::milliseconds(50);
constexpr int kGoneChecks = 20;

struct Share {
    Stage stage;
    int withVerify;
    int withoutVerify;
};
// How the bar is divided between the steps (tenths); the writing and checking of data take
// most of the time.
constexpr Share kShares[] = {
    {Stage::Erasing, 100, 150},
    {Stage::BlankChecking, 100, 150},
    {Stage::Programming, 400, 700},
    {Stage::Verifying, 400, 0},
};

uint8_t *writable(const uint8_t *data)
{
    // The library takes the caller's buffer as a plain pointer; it only reads it.
    return const_cast<uint8_t *>(data);
}
}  // namespace

uint16_t transferBytesFor(uint16_t blockSize)
{
    const int reportsPerBlock = (blockSize + HIDDLL_DATA_PER_REPORT - 1) / HIDDLL_DATA_PER_REPORT;
    const int blocks = std::max(1, kReportsInFlight / std::max(1, reportsPerBlock));
    return static_cast<uint16_t>(blocks * blockSize);
}

std::optional<std::string> whyOptionsRefused(const UpdateOptions &options)
{
    if (options.blockSize < 1 || options.blockSize > kLargestBlock)
        return "the block size must be from 1 to " + std::to_string(kLargestBlock) + " bytes (" +
               std::to_string(kReportsInFlight) + " data reports), not " + std::to_string(options.blockSize);
    if (options.flash.pageBytes == 0 || options.flash.flashBytes == 0 || options.flash.flashBytes > kAddressSpace ||
        options.flash.flashBytes % options.flash.pageBytes != 0)
        return "the keyboard's flash layout is not usable";
    return std::nullopt;
}

int UpdateEngine::progress() const
{
    if (stage() == Stage::Finished)
        return 100;
    const int within = std::clamp(static_cast<int32_t>(GetTransProgress()), 0, 100);
    return (callBase_.load(std::memory_order_relaxed) + callSpan_.load(std::memory_order_relaxed) * within / 100) /
           10;
}

void UpdateEngine::enter(Stage stage)
{
    stage_.store(stage, std::memory_order_relaxed);
    // A step without a share of its own (connecting, restarting) stands where the steps
    // before it end.
    int base = 0;
    stageSpan_ = 0;
    for (const Share &share : kShares) {
        const int span = verifying_ ? share.withVerify : share.withoutVerify;
        if (share.stage == stage) {
            stageSpan_ = span;
            break;
        }
        if (stage > share.stage)
            base += span;
    }
    stageBase_ = base;
    mapCall(0, 0);
}

void UpdateEngine::mapCall(double doneOfStage, double shareOfStage)
{
    SetTransProgress(0);
    callBase_.store(stageBase_ + static_cast<int>(doneOfStage * stageSpan_), std::memory_order_relaxed);
    callSpan_.store(static_cast<int>(shareOfStage * stageSpan_), std::memory_order_relaxed);
}

bool UpdateEngine::stopHere(Outcome &outcome)
{
    if (!stopRequested())
        return false;
    outcome.cause = Cause::Stopped;
    return true;
}

bool UpdateEngine::failed(Outcome &outcome, Cause cause, uint32_t code)
{
    outcome.cause = cause;
    outcome.code = code;
    // A device that went away (unplugged, or reset by its user) is told apart from one
    // that is there and refused: the next step differs. The library still holds its
    // handles, which are of no use now.
    if (code == BURNLET_TRANSFER_FAILED || code == BURNLET_PROGRESS_TIMEOUT) {
        DisConnectWriter();
        for (int check = 0; check < kGoneChecks && !outcome.deviceGone; ++check) {
            if (check > 0)
                std::this_thread::sleep_for(kGoneCheckInterval);
            outcome.deviceGone = countBootLoaders().found == 0;
        }
    }
    return false;
}

bool UpdateEngine::connect(Outcome &outcome)
{
    enter(Stage::Connecting);
    const BootLoaderCount count = countBootLoaders();
    outcome.bootLoaders = count.found;
    if (count.found == 0) {
        outcome.code = count.searchError;
        outcome.cause = count.searchError == HIDDLL_ERROR_OPEN ? Cause::CannotOpen : Cause::NoBootLoader;
        return false;
    }
    if (count.found > 1) {
        outcome.cause = Cause::SeveralBootLoaders;
        return false;
    }
    const uint32_t connected = ConnectToWriter();
    if (connected != BURNLET_OK) {
        outcome.code = connected;
        outcome.cause = connected == HIDDLL_ERROR_OPEN ? Cause::CannotOpen : Cause::NoBootLoader;
        return false;
    }
    // The library's own check folds "did not answer" and "answered without the marker"
    // into one code; the status is read here first so that the message can tell them apart.
    uint8_t status[8] = {};
    const uint32_t read = GetDeviceInfoCmd(status);
    if (read != BURNLET_OK) {
        outcome.code = read;
        outcome.cause = Cause::NotAnswering;
        return false;
    }
    if (std::memcmp(status + kStatusMarkerByte, kMarker, sizeof kMarker) != 0) {
        outcome.cause = Cause::NoMarker;
        return false;
    }
    const int32_t entered = EntryDownloadMode();
    if (entered != BURNLET_OK) {
        outcome.code = static_cast<uint32_t>(entered);
        outcome.cause = Cause::NotAnswering;
        return false;
    }
    return true;
}

bool UpdateEngine::erase(const FirmwareImage &image, const UpdateOptions &options, Outcome &outcome)
{
    const uint32_t page = options.flash.pageBytes;
    const std::vector<FlashRange> ranges = pagesToErase(image, page);
    uint32_t total = 0;
    for (const FlashRange &range : ranges)
        total += range.length / page;

    enter(Stage::Erasing);
    mapCall(0, 1);  // the erase reports its own progress, page by page
    uint32_t done = 0;
    for (const FlashRange &range : ranges) {
        if (stopHere(outcome))
            return false;
        // From the first erase on, the old firmware is no longer whole. Flash writing is
        // opened once for the range's pages, not once a page: three commands a page would
        // triple the erase's time.
        outcome.state = KeyboardState::Incomplete;
        int32_t result = static_cast<int32_t>(EnableFWEN(1));
        bool stopping = false;
        for (uint32_t at = range.address; result == BURNLET_OK && at < range.address + range.length; at += page) {
            if ((stopping = stopRequested()))
                break;  // between two pages, flash writing closed again below
            result = ErasePageFlashCmd(static_cast<uint16_t>(at), kPageSelector);
            SetTransProgress(static_cast<int32_t>(100 * ++done / total));
        }
        if (result == BURNLET_OK)
            result = static_cast<int32_t>(EnableFWEN(0));
        if (result != BURNLET_OK)
            return failed(outcome, Cause::DeviceFailed, static_cast<uint32_t>(result));
        if (stopping && stopHere(outcome))
            return false;
    }

    enter(Stage::BlankChecking);
    const std::vector<FlashRange> pieces = piecesOf(ranges, kBlankCheckPiece);
    uint32_t checked = 0;
    for (const FlashRange &piece : pieces) {
        if (stopHere(outcome))
            return false;
        mapCall(double(checked) / (total * page), double(piece.length) / (total * page));
        const int32_t blank = BlankCheck(static_cast<uint16_t>(piece.address), static_cast<uint16_t>(piece.length),
                                         kBlankCheckArea, kBlankCheckBlock);
        if (blank == BURNLET_NOT_BLANK)
            return failed(outcome, Cause::NotBlank, static_cast<uint32_t>(blank));
        if (blank != BURNLET_OK)
            return failed(outcome, Cause::DeviceFailed, static_cast<uint32_t>(blank));
        checked += piece.length;
    }
    return true;
}

bool UpdateEngine::program(const FirmwareImage &image, const UpdateOptions &options, Outcome &outcome)
{
    enter(Stage::Programming);
    const double total = double(image.totalBytes());
    double sent = 0;
    for (const Transfer &transfer : transfersOf(image, transferBytesFor(options.blockSize))) {
        if (stopHere(outcome))
            return false;
        mapCall(sent / total, transfer.length / total);
        const int32_t written = Program(static_cast<uint16_t>(transfer.address), transfer.length,
                                        writable(transfer.data), kMainFlash, options.blockSize, 0, 100, false, true);
        if (written != BURNLET_OK)
            return failed(outcome, Cause::DeviceFailed, static_cast<uint32_t>(written));
        sent += transfer.length;
    }
    return true;
}

bool UpdateEngine::verify(const FirmwareImage &image, const UpdateOptions &options, Outcome &outcome)
{
    enter(Stage::Verifying);
    outcome.state = KeyboardState::WrittenUnverified;
    const double total = double(image.totalBytes());
    double checked = 0;
    for (const Transfer &transfer : transfersOf(image, transferBytesFor(options.blockSize))) {
        if (stopHere(outcome))
            return false;
        mapCall(checked / total, transfer.length / total);
        const int32_t result = Verify(static_cast<uint16_t>(transfer.address), transfer.length,
                                      writable(transfer.data), kMainFlash, options.blockSize, 1, 0, 100);
        if (result == BURNLET_VERIFY_FAILED) {
            outcome.state = KeyboardState::VerifyFailed;
            return failed(outcome, Cause::VerifyMismatch, static_cast<uint32_t>(result));
        }
        if (result != BURNLET_OK)
            return failed(outcome, Cause::DeviceFailed, static_cast<uint32_t>(result));
        checked += transfer.length;
    }
    outcome.verified = true;
    return true;
}

Outcome UpdateEngine::finish(Outcome outcome)
{
    DisConnectWriter();
    if (outcome.stage != Stage::Finished && outcome.succeeded())
        outcome.stage = Stage::Finished;
    stage_.store(outcome.succeeded() ? Stage::Finished : outcome.stage, std::memory_order_relaxed);
    return outcome;
}

Outcome UpdateEngine::run(const FirmwareImage &image, const UpdateOptions &options)
{
    verifying_ = options.verify;
    Outcome outcome;
    const auto ended = [&] {
        outcome.stage = stage();
        return finish(outcome);
    };
    if (stopHere(outcome) || !connect(outcome))
        return ended();
    if (!erase(image, options, outcome) || !program(image, options, outcome))
        return ended();
    if (options.verify) {
        if (!verify(image, options, outcome))
            return ended();
    } else {
        // Written, and not to be checked: as far as this update can tell it is complete.
        outcome.state = KeyboardState::WrittenUnverified;
    }
    // Only now: a keyboard is never restarted into firmware that failed its check.
    enter(Stage::Restarting);
    BooltLoader_Reset();
    outcome.state = KeyboardState::Restarted;
    outcome.stage = Stage::Finished;
    return finish(outcome);
}

}  // namespace firmware
