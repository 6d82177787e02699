#include "keyboard_ids.h"

#include "device_table_file.h"

#include <QDir>
#include <QFileInfo>

#include <hidapi/hidapi.h>

QString shippedDeviceTable(const QString &updateFolder)
{
    const QString table = QStringLiteral("modules/setting/apConfig.bin");
    for (const QString &data : {QStringLiteral(".."), QStringLiteral(GEARCONSOLE_DATA_FROM_UPDATE)}) {
        const QString candidate = QDir::cleanPath(updateFolder + QLatin1Char('/') + data + QLatin1Char('/') + table);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

std::optional<KeyboardIds> keyboardIdsFor(int edition, const QString &deviceTable)
{
    std::vector<TableEntry> entries;
    if (deviceTable.isEmpty() || !readDeviceTableFile(deviceTable.toStdString(), &entries))
        return std::nullopt;
    for (const TableEntry &entry : entries) {
        if (entry.index == edition && entry.vid != 0 && entry.pid != 0)
            return KeyboardIds{entry.vid, entry.pid};
    }
    return std::nullopt;
}

// Only listed, never opened: the keyboard's interfaces belong to the main program.
std::function<bool(const KeyboardIds &)> keyboardPresent = [](const KeyboardIds &ids) {
    if (hid_init() != 0)
        return false;
    hid_device_info *list = hid_enumerate(ids.vendorId, ids.productId);
    const bool found = list != nullptr;
    hid_free_enumeration(list);
    return found;
};
