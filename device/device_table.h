#pragma once
#include "device_info.h"

#include <QList>
#include <QString>

// Reads the device table from an INI settings file: `common/deviceCount`
// entries in the groups "0", "1", ... A missing file or key gives an empty table.
QList<DeviceInfo> readDeviceTable(const QString &fileName);

// Text that does not parse as hexadecimal (without prefix) gives 0.
quint16 parseHex16(const QString &text);
