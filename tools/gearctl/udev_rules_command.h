#pragma once
#include <QString>

// gearctl udev-rules: prints the device access rules for the copy of the
// program in programFolder, made from its shipped device table. An unpacked
// build's rules call the helper beside gearctl with that table; an installed
// copy's are the installed rules. Returns the exit code.
int printUdevRules(const QString &programFolder);
