#pragma once
#include <QString>

// The settings files under the working directory, and the factory file each
// store starts from again when its own file cannot be read.
namespace StoreFiles {
// The global store; it also holds the device table.
inline QString global() { return QStringLiteral("./modules/setting/apConfig.bin"); }
inline QString factoryGlobal() { return QStringLiteral("./modules/setting/apConfigD.bin"); }
// The profile defaults, which every profile starts from.
inline QString defaults() { return QStringLiteral("./modules/setting/pD.bin"); }
// Profile `number` (1 to 6).
inline QString profile(int number) { return QStringLiteral("./modules/setting/p%1.bin").arg(number); }
} // namespace StoreFiles
