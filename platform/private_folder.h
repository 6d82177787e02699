#pragma once
#include <QString>

// Where the program keeps what only its own user may reach: the
// single-instance lock and the two local sockets. $XDG_RUNTIME_DIR when it
// is a folder of this user's that no one else can enter; otherwise the
// user's own cache folder ($XDG_CACHE_HOME or ~/.cache, then "gearconsole"),
// made 0700 and checked the same way. Empty when neither can be trusted.
// Each folder refused is logged with its reason.
QString privateRuntimeFolder();

// Empty when path is a folder (not a symbolic link) owned by this user with
// no access for group or others; otherwise why it is not.
QString whyNotPrivate(const QString &path);
