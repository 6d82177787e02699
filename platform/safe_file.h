#pragma once
#include <QString>

// Copies that never leave a short file behind. The source is copied into a
// temporary file in the target's folder; every write, the flush to disk and
// the copy's size are checked before the copy takes the target's name. On
// any failure the temporary file is removed, the target is left as it was
// and `error` says why. Neither function reports to SaveFailures: the caller
// knows what the file is to the user.

// The longest name a file may have (the system's limit, in bytes), and the
// most bytes a writer adds to a file's name for a file of its own beside it:
// the temporary copy here ("." before the name, "." and up to seven
// characters after it), settings_writer's "<file>.previous", the settings
// library's "<file>.XXXXXX" and "<file>.lock". A name closer to the limit
// than that cannot be written safely.
inline constexpr int kMaxFileNameBytes = 255;
inline constexpr int kWriterNameRoom = 9;

// Replaces `target` (or creates it). A replaced file keeps its permissions.
bool replaceWithCopy(const QString &source, const QString &target, QString *error = nullptr);

// Creates `target` as a copy; fails when `target` exists. The copy has the
// source's permissions, always readable and writable by its owner.
bool copyToNewFile(const QString &source, const QString &target, QString *error = nullptr);

// The file a write to `path` lands in: the target of a symbolic link, else
// `path` itself.
QString followedLink(const QString &path);
