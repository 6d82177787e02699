#pragma once
#include <QString>

// A store the program keeps open whose file cannot be read (larger than
// any settings file, not a file, not readable: see
// unreadableSettingsReason) is put aside, so that the program can go on
// and the file is kept for the user: it is renamed "<file>.refused", or
// "<file>.refused.2", ".3", … where earlier ones are there, none of which
// is ever replaced. The store then starts from a copy of `factoryFile`
// where one is given, otherwise empty. One log line, and SaveFailures
// tells the user (once per file and run).
//
// Where the file cannot be renamed (a read-only folder) it stays where it
// is; it is still not read (the reader refuses it) and never written over.
//
// Returns the file that now holds the store's contents, for readers that
// only read it (the device table): `path`, or `factoryFile` when `path`
// still cannot be read.
QString setAsideIfUnreadable(const QString &path, const QString &factoryFile = {});
