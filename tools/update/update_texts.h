#pragma once
// The update window's own words, in English and Chinese. What the update engine says
// about an outcome comes from its own table (burnlet/update/outcome_text.cpp).
#include "outcome.h"

#include <QString>

enum class UpdateText {
    WindowTitle,       // %1 edition
    Intro,             // %1 edition
    StepChoose,
    StepCheck,
    StepUpdateMode,
    StepWrite,
    StepRestart,
    ImageLabel,
    ChooseButton,
    StartButton,
    CancelButton,
    CloseButton,
    DialogTitle,
    DialogFilter,
    ChooseFirst,       // %1 edition
    ImageGood,         // %1 bytes, %2 format, %3 address ranges
    ImageRefused,      // %1 reason
    FormatHex,
    FormatRaw,
    HowToUpdateMode,
    WaitingForBootLoader,
    SeveralWhileWaiting,  // %1 count
    Erasing,
    BlankChecking,
    Writing,
    Verifying,
    Restarting,
    WaitingForKeyboard,
    KeyboardBack,         // %1 edition, %2 vid, %3 pid
    KeyboardNotBack,      // %1 edition, %2 vid, %3 pid
    DoneUnconfirmed,
    StopTitle,
    StopQuestion,
    StopButton,
    ContinueButton,
    Stopping,
    AlreadyRunning,
    NoEdition,
    LockFailed,           // %1 reason
    FailedHeading,
    DoneHeading,
};

QString updateText(UpdateText id, firmware::Language language);

// The language of the window: the program's own choice when it started the updater
// (GEARCONSOLE_LANGUAGE, the UI's language code), else the system's.
firmware::Language updateLanguage();
