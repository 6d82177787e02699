#include "device_table.h"
#include "platform/settings_format.h"

#include "platform/logging.h"

#include <QMap>
#include <QSettings>

quint16 parseHex16(const QString &text)
{
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok, 16);
    // Wider than 16 bits is as unparsable as any other text: its low bits
    // would name some other device.
    return ok && value <= 0xffff ? quint16(value) : 0;
}

namespace {

// What the table asks for beyond what a device can have. Each kind of
// problem is logged once per read, with the entries it concerns, however
// often detection runs afterwards.
class TableProblems
{
public:
    void note(const QString &problem, int entry) { m_entries[problem].append(entry); }
    void log() const
    {
        for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
            qCWarning(lcHid).noquote() << "device table:" << it.key() << "- entries" << it.value();
    }

private:
    QMap<QString, QList<int>> m_entries;
};

int entryCount(const QSettings &table)
{
    const int count = table.value(QStringLiteral("common/deviceCount"), 0).toInt();
    if (count > kMaxDeviceEntries) {
        qCWarning(lcHid) << "device table: deviceCount" << count << "- only the first" << kMaxDeviceEntries
                         << "entries are read";
        return kMaxDeviceEntries;
    }
    return qMax(0, count);
}

void checkEntry(DeviceInfo &entry, int index, TableProblems &problems)
{
    if (!entry.isIdentified())
        problems.note(QStringLiteral("no vendor or product id (0, or wider than 16 bits): never looked for"), index);
    if (entry.reportLength > kMaxReportLength) {
        problems.note(QStringLiteral("report length above %1: limited to it").arg(kMaxReportLength), index);
        entry.reportLength = kMaxReportLength;
    } else if (entry.reportLength < 1) {
        problems.note(QStringLiteral("report length below 1: plain commands only, no data blocks or reads"), index);
    }
}

} // namespace

QList<DeviceInfo> readDeviceTable(const QString &fileName)
{
    QSettings table(fileName, settingsFormat());
    const int count = entryCount(table);

    QList<DeviceInfo> entries;
    TableProblems problems;
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
        checkEntry(entry, i, problems);
        entries.append(entry);
    }
    problems.log();
    return entries;
}
