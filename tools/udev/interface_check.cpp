#include "interface_check.h"

bool isVendorDefinedPage(uint16_t usagePage) { return usagePage >= 0xff00; }

namespace {

bool sameUsage(const TopLevelCollection &collection, const InterfaceUsage &usage)
{
    return usage.usagePage != 0 && collection.usagePage == usage.usagePage && collection.usage == usage.usage;
}

bool namedByTable(const TopLevelCollection &collection, uint16_t vid, uint16_t pid,
                  const std::vector<TableEntry> &table)
{
    for (const TableEntry &entry : table) {
        if (entry.vid == vid && entry.pid == pid
            && (sameUsage(collection, entry.command) || sameUsage(collection, entry.secondary)))
            return true;
    }
    return false;
}

} // namespace

InterfaceVerdict classifyInterface(const DescriptorReading &descriptor, uint16_t vid, uint16_t pid,
                                   const std::vector<TableEntry> &table)
{
    if (!descriptor.wellFormed)
        return InterfaceVerdict::Malformed;
    if (descriptor.collections.empty())
        return InterfaceVerdict::NotListed;
    for (const TopLevelCollection &collection : descriptor.collections) {
        if (!isVendorDefinedPage(collection.usagePage))
            return InterfaceVerdict::CarriesInput;
    }
    if (vid == kBootLoaderVid && pid == kBootLoaderPid)
        return InterfaceVerdict::BootLoader;
    for (const TopLevelCollection &collection : descriptor.collections) {
        if (namedByTable(collection, vid, pid, table))
            return InterfaceVerdict::CommandInterface;
    }
    return InterfaceVerdict::NotListed;
}

const char *verdictText(InterfaceVerdict verdict)
{
    switch (verdict) {
    case InterfaceVerdict::CommandInterface: return "command interface of the device table";
    case InterfaceVerdict::BootLoader: return "boot loader";
    case InterfaceVerdict::CarriesInput: return "carries input on a standard usage page";
    case InterfaceVerdict::NotListed: return "not an interface of the device table";
    case InterfaceVerdict::Malformed: return "report descriptor not readable";
    }
    return "";
}
