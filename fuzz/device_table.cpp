// The device table (modules/setting/apConfig.bin): the program's reader
// through the settings library, and the access helper's own reader of the
// same file without Qt. Both must take any file without crashing or hanging.
#include "device/device_table.h"
#include "fuzz_support.h"
#include "tools/udev/device_table_file.h"

#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    {
        const fuzz::InputFile file(bytes, QStringLiteral("setting"), QStringLiteral("apConfig"), QStringLiteral(".bin"));
        for (const DeviceInfo &entry : readDeviceTable(file.path()))
            (void)parseHex16(entry.sCode);
    }
    std::istringstream text(bytes.toStdString());
    for (const TableEntry &entry : readDeviceTable(text))
        (void)parseHex16(std::to_string(entry.vid));
    return 0;
}
