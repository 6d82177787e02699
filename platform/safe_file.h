#pragma once
#include <QString>

// File replacement that never loses the old file: the source is copied to a
// temporary file in the target's folder, which is then renamed over the
// target. On any failure the target is left as it was and `error` says why.
bool replaceWithCopy(const QString &source, const QString &target, QString *error = nullptr);
