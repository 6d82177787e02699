#include "device_table.h"

#include <QSettings>

quint16 parseHex16(const QString &text)
{
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok, 16);
    return ok ? quint16(value) : 0;
}

QList<DeviceInfo> readDeviceTable(const QString &fileName)
{
    QSettings table(fileName, QSettings::IniFormat);
    const int count = table.value(QStringLiteral("common/deviceCount"), 0).toInt();

    QList<DeviceInfo> entries;
    for (int i = 0; i < count; ++i) {
        table.beginGroup(QString::number(i));
        DeviceInfo entry;
        if (table.contains(QStringLiteral("type"))) {
            bool ok = false;
            const int type = table.value(QStringLiteral("type")).toString().trimmed().toInt(&ok, 16);
            entry.type = ok ? type : 0;
        }
        entry.vid = parseHex16(table.value(QStringLiteral("vid"), QStringLiteral("0")).toString());
        entry.pid = parseHex16(table.value(QStringLiteral("pid"), QStringLiteral("0")).toString());
        entry.usagePage = parseHex16(table.value(QStringLiteral("usagePage"), QStringLiteral("0")).toString());
        entry.usage = parseHex16(table.value(QStringLiteral("usage"), QStringLiteral("0")).toString());
        entry.usagePage2 = parseHex16(table.value(QStringLiteral("usagePage2"), QStringLiteral("0")).toString());
        entry.usage2 = parseHex16(table.value(QStringLiteral("usage2"), QStringLiteral("0")).toString());
        entry.reportLength = table.value(QStringLiteral("reportLength"), 32).toInt();
        entry.isEncode = table.value(QStringLiteral("isEncode"), false).toBool();
        entry.sCode = table.value(QStringLiteral("sCode"), QStringLiteral("418273")).toString();
        table.endGroup();
        entries.append(entry);
    }
    return entries;
}
