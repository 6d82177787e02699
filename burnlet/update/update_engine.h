// The update itself, shared by the update window and burnlet-flash: from a checked image to
// a keyboard restarted into verified firmware, or a stop that says what the keyboard holds.
//
//   find exactly one boot loader -> connect -> check it answers with its marker -> update mode
//   -> erase the pages the image touches, run by run -> blank-check them
//   -> program the runs -> verify them (unless told not to) -> restart, only after a verify
//
// Nothing reaches the device before the image and the options have been checked. Every
// result says which state the keyboard was left in (outcome.h). A stop request is honoured
// at the next safe point: between two erases, two blank checks or two transfers, never in
// the middle of one.
#pragma once

#include "editions.h"
#include "firmware_image.h"
#include "hiddll.h"
#include "outcome.h"

#include <atomic>
#include <optional>
#include <string>

namespace firmware {

// How much data is in flight at once: the engine hands the device at most this many data
// reports (hiddll.h) before it waits for the device to confirm them, which
// bounds what a lost report can cost, how soon a stop takes effect, and what a device (or
// the kernel's uhid, with its queue of 32) must buffer. A transfer (one Program or Verify
// call) is as many whole blocks as fit; a block larger than that cannot be sent and is refused.
constexpr int kReportsInFlight = 16;
constexpr uint16_t kLargestBlock = kReportsInFlight * HIDDLL_DATA_PER_REPORT;  // 1008
constexpr uint16_t kDefaultBlockSize = kLargestBlock;

// The bytes of one transfer for a block size: whole blocks, at most kReportsInFlight reports.
uint16_t transferBytesFor(uint16_t blockSize);

struct UpdateOptions {
    FlashLayout flash = kBootLoaderFlash;
    uint16_t blockSize = kDefaultBlockSize;
    bool verify = true;
};

// Why the options cannot be used, or nothing.
std::optional<std::string> whyOptionsRefused(const UpdateOptions &options);

class UpdateEngine {
public:
    // Runs the whole update; blocks until it ends. The image must have passed
    // whyUnprogrammable for options.flash.
    Outcome run(const FirmwareImage &image, const UpdateOptions &options);

    // May be called from any thread or a signal handler.
    void requestStop() { stopRequested_.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return stopRequested_.load(std::memory_order_relaxed); }

    // What the update is doing and how far it is, 0 to 100 over the whole update, made
    // from the library's progress value within the current step. For another thread.
    Stage stage() const { return stage_.load(std::memory_order_relaxed); }
    int progress() const;

private:
    Outcome finish(Outcome outcome);
    bool connect(Outcome &outcome);
    bool erase(const FirmwareImage &image, const UpdateOptions &options, Outcome &outcome);
    bool program(const FirmwareImage &image, const UpdateOptions &options, Outcome &outcome);
    bool verify(const FirmwareImage &image, const UpdateOptions &options, Outcome &outcome);
    // Ends a step that failed with `code`: the device's state, and whether it is still there.
    bool failed(Outcome &outcome, Cause cause, uint32_t code);
    bool stopHere(Outcome &outcome);
    void enter(Stage stage);
    // The part of the whole bar the next library call fills: [base, base + span) in tenths.
    void mapCall(double doneOfStage, double shareOfStage);

    std::atomic<bool> stopRequested_{false};
    std::atomic<Stage> stage_{Stage::Preparing};
    std::atomic<int> callBase_{0};  // tenths of a percent
    std::atomic<int> callSpan_{0};
    int stageBase_ = 0;
    int stageSpan_ = 0;
    bool verifying_ = true;
};

}  // namespace firmware
