#pragma once
#include <QString>
#include <QtGlobal>

// What a device can have: a report of the data phase carries at most this
// many bytes (a high-speed interrupt report), and no table names more
// entries. Larger values in the table are limited to these.
constexpr int kMaxReportLength = 1024;
constexpr int kMaxDeviceEntries = 256;
// The device kind of a keyboard entry; every keyboard edition has it.
constexpr int kKeyboardType = 0;

// One entry of the device table. Its position in the table is the device
// index (`did`) that every device command takes.
struct DeviceInfo
{
    int type = -1;
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0;   // command interface
    quint16 usage = 0;
    quint16 usagePage2 = 0;  // secondary interface (vendor reports)
    quint16 usage2 = 0;
    int reportLength = 32;   // data bytes per report of the data phase; below 1: no data phase
    bool isEncode = false;   // command and answer reports are scrambled
    QString sCode = QStringLiteral("418273");
    QString path;            // hidapi path of the command interface; empty: not connected
    QString path2;           // hidapi path of the secondary interface

    // An entry without vendor or product id is never looked for: hidapi
    // would take 0 as "any" and enumerate every HID device.
    bool isIdentified() const { return vid != 0 && pid != 0; }
    bool isKeyboard() const { return type == kKeyboardType; }
    // Data blocks and reads need a report length; plain commands do not.
    bool hasDataPhase() const { return reportLength >= 1 && reportLength <= kMaxReportLength; }
};
