// How an update ended, and what the keyboard holds afterwards: the facts the update engine
// reports, and the words the user reads for them (English and Chinese), each message saying
// what happened, the keyboard's state and what to do next.
#pragma once

#include <cstdint>
#include <string>

namespace firmware {

enum class Stage { Preparing, Connecting, Erasing, BlankChecking, Programming, Verifying, Restarting, Finished };

enum class KeyboardState {
    Unchanged,          // nothing was erased or written
    Incomplete,         // erasing or writing began and did not end: the firmware is incomplete
    WrittenUnverified,  // every byte was written but the check did not finish; not restarted
    VerifyFailed,       // written, and the flash differs from the image; not restarted
    Restarted,          // verified (or, when asked, only written) and restarted into it
};

enum class Cause {
    None,                // the update finished
    AnotherUpdate,       // another update holds the lock
    NoBootLoader,        // no keyboard in its update mode
    SeveralBootLoaders,  // more than one: which to program would be a guess
    CannotOpen,          // found, but this user may not open it
    NotAnswering,        // the device did not answer a status read or a command
    NoMarker,            // it answered, but its status lacks the boot loader's marker
    DeviceFailed,        // a step failed with a result code
    NotBlank,            // the erased pages did not read blank
    VerifyMismatch,      // the flash differs from the image
    Stopped,             // stopped on request, at a safe point
};

struct Outcome {
    Cause cause = Cause::None;
    KeyboardState state = KeyboardState::Unchanged;
    Stage stage = Stage::Preparing;  // the step it ended in
    uint32_t code = 0;               // the library's result code, where one failed
    int bootLoaders = 0;             // how many were found (SeveralBootLoaders)
    bool deviceGone = false;         // the device was no longer there after the failure
    bool verified = false;

    bool succeeded() const { return cause == Cause::None; }
};

enum class Language { English, Chinese };

// "<what happened> <the keyboard's state> <what to do next>", one paragraph.
std::string describeOutcome(const Outcome &outcome, Language language);

// The state alone, as a sentence (also the heading of a failure).
std::string describeState(const Outcome &outcome, Language language);

}  // namespace firmware
