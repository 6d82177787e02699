#pragma once
#include "macros/encoding/macro_step.h"

#include <QStringList>
#include <QVariant>
#include <QVariantList>

// Steps from what the UI hands over. Each entry is either
//  - an action line as the macro files store it, "type,key,action,delay", or
//  - an object {key, action, delay}: key a display name or a usage code
//    (number), action 0 press / 1 release (or false / true), delay in ms.
// Names are looked up in `keyNames` (the UI's current list, which a language
// may have translated), or in the built-in names when it is empty; a name
// that is not there encodes as 0x33. Entries that are neither form, and
// action lines without the comma after their key, are skipped.
MacroSteps stepsFromUi(const QVariantList &entries, const QStringList &keyNames = {});

// A whole number from the UI: a number (rounded) or the leading integer of a
// text; 0 for anything else.
qint64 integerFromUi(const QVariant &value);
