#pragma once
#include <QString>

// Macro names become file names and preset names become settings key paths,
// so a name that could leave its folder or split into key groups is refused,
// and so is one longer than a file name can be with the room its writers
// need (measured in the bytes of the file name, not in characters).
// Returns why the name is refused, or an empty string when it is usable.
QString unsafeNameReason(const QString &name);

// Checks a name for the named operation; a refused name is logged as one
// line of the bridge category.
bool acceptName(const char *operation, const QString &name);
