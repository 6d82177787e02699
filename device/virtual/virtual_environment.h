#pragma once
#include "device/device_info.h"

#include <QList>
#include <QString>

class VirtualHidBackend;

// With GEARCONSOLE_VIRTUAL_DEVICES set to device-table indices ("0", "2,5"),
// the program sees one virtual device per listed entry instead of real
// hardware. Does nothing when the variable is unset or a backend is in place.
void installVirtualDevicesFromEnvironment(const QList<DeviceInfo> &table);

// Adds the virtual interfaces of one table entry: "virtual:<index>" for the
// command interface and, when the entry names one, "virtual:<index>:2".
void addVirtualDevicesForEntry(VirtualHidBackend &backend, const QList<DeviceInfo> &table, int index);

// Parses the comma-separated index list; entries that are not numbers or lie
// outside the table are logged and skipped.
QList<int> parseVirtualDeviceList(const QString &text, int tableSize);
