#pragma once
#include <QString>

// QSettings reads an "@Variant(...)" value through a binary stream that
// trusts its own length fields: a few corrupt bytes make it ask for
// gigabytes, and the program would be killed for want of memory. The
// program never writes such values (its files hold texts, numbers and lists
// of them), so a file that holds one is neither read nor written: one log
// line, and the file stays as it is.
bool holdsSerializedValue(const QString &path);

// For a store the program keeps open: a file that holds such a value is put
// aside as "<file>.refused" (kept for the user, one log line), and the store
// starts from a copy of `factoryFile` where one is given, otherwise empty.
// Returns `path`.
QString setAsideIfSerialized(const QString &path, const QString &factoryFile = {});
