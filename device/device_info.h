#pragma once
#include <QString>
#include <QtGlobal>

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
    int reportLength = 32;   // data bytes per report of the data phase
    bool isEncode = false;   // command and answer reports are scrambled
    QString sCode = QStringLiteral("418273");
    QString path;            // hidapi path of the command interface; empty: not connected
    QString path2;           // hidapi path of the secondary interface
};
