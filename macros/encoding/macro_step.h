#pragma once
#include <QList>
#include <QtGlobal>

// One step of a macro as the devices play it: a key (HID usage code, mouse
// buttons 0xF0 to 0xF4 included), pressed or released, and its delay in
// milliseconds (after the step on the keyboard, before the next one on the
// mouse).
struct MacroStep
{
    int usage = 0;
    bool release = false;
    qint64 delayMs = 0;
};

using MacroSteps = QList<MacroStep>;
