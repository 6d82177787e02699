#include "virtual_environment.h"

#include "platform/hid/hid_backend.h"
#include "platform/logging.h"
#include "model_factory.h"
#include "virtual_backend.h"

QList<int> parseVirtualDeviceList(const QString &text, int tableSize)
{
    QList<int> indices;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int index = part.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= tableSize) {
            qCWarning(lcHid) << "virtual devices: no table entry" << part.trimmed() << "- skipped";
            continue;
        }
        if (!indices.contains(index))
            indices.append(index);
    }
    return indices;
}

void addVirtualDevicesForEntry(VirtualHidBackend &backend, const QList<DeviceInfo> &table, int index)
{
    const DeviceInfo &entry = table.at(index);
    const QByteArray base = "virtual:" + QByteArray::number(index);
    backend.add(std::make_shared<VirtualDevice>(
        VirtualDevice::Identity{base, entry.vid, entry.pid, entry.usagePage, entry.usage},
        makeDeviceModel(entry, index, false), entry.isEncode));
    if (entry.usagePage2 || entry.usage2) {
        backend.add(std::make_shared<VirtualDevice>(
            VirtualDevice::Identity{base + ":2", entry.vid, entry.pid, entry.usagePage2, entry.usage2},
            makeDeviceModel(entry, index, true), false));
    }
}

void installVirtualDevicesFromEnvironment(const QList<DeviceInfo> &table)
{
    if (!qEnvironmentVariableIsSet("GEARCONSOLE_VIRTUAL_DEVICES") || HidSeam::isInstalled())
        return;
    const QList<int> indices = parseVirtualDeviceList(qEnvironmentVariable("GEARCONSOLE_VIRTUAL_DEVICES"), int(table.size()));
    auto backend = std::make_unique<VirtualHidBackend>();
    for (int index : indices)
        addVirtualDevicesForEntry(*backend, table, index);
    qCInfo(lcHid) << "virtual devices in place of hardware:" << indices;
    HidSeam::install(std::move(backend));
}
