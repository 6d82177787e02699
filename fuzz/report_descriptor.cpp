// The access helper's report descriptor parser, and the decision it feeds:
// any bytes are read or refused, and the verdict for the shipped device
// table's first keyboard and for the boot loader follows from the reading.
#include "tools/udev/device_table_file.h"
#include "tools/udev/hid_descriptor.h"
#include "tools/udev/interface_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>

namespace {
// Entry 0 of the shipped table, as its reader gives it.
std::vector<TableEntry> shippedTable()
{
    std::istringstream text("[common]\ndeviceCount=1\n[0]\nvid=fff0\npid=0101\nusagePage=ff00\nusage=0001\n");
    return readDeviceTable(text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::vector<TableEntry> table = shippedTable();
    const DescriptorReading reading = readReportDescriptor(data, size);
    if (reading.wellFormed != reading.error.empty())
        __builtin_trap();
    const InterfaceVerdict keyboard = classifyInterface(reading, 0xfff0, 0x0101, table);
    const InterfaceVerdict bootLoader = classifyInterface(reading, kBootLoaderVid, kBootLoaderPid, table);
    if (!reading.wellFormed && (keyboard != InterfaceVerdict::Malformed || bootLoader != InterfaceVerdict::Malformed))
        __builtin_trap();
    // An interface with any collection on a standard page is never granted.
    for (const TopLevelCollection &collection : reading.collections) {
        if (!isVendorDefinedPage(collection.usagePage)
            && (keyboard == InterfaceVerdict::CommandInterface || bootLoader == InterfaceVerdict::BootLoader))
            __builtin_trap();
    }
    (void)verdictText(keyboard);
    return 0;
}
