#pragma once
// Which hidraw interfaces the logged-in user may open without root.
//
// A keyboard's keystrokes, a mouse's movement and its media keys arrive on
// interfaces whose top-level collections use the standard usage pages.
// Whoever can open those can read everything typed, so an interface
// qualifies only when every one of its top-level collections is on a
// vendor-defined page (ff00 to ffff) and, for a device of the table, one of
// them is the command or secondary interface the table names for its ids.
#include "device_table_file.h"
#include "hid_descriptor.h"

constexpr uint16_t kBootLoaderVid = 0x04d9;
constexpr uint16_t kBootLoaderPid = 0x8022;

// Printed for udev when the interface qualifies.
constexpr const char *kGrantProperty = "GEARCONSOLE_COMMAND_INTERFACE=1";

enum class InterfaceVerdict {
    CommandInterface,  // a table entry's interface
    BootLoader,        // the boot loader's vendor interface
    CarriesInput,      // a standard page: keys, pointer, media keys
    NotListed,         // vendor-defined, but not an interface the table names for these ids
    Malformed          // the descriptor could not be read
};

bool isVendorDefinedPage(uint16_t usagePage);

InterfaceVerdict classifyInterface(const DescriptorReading &descriptor, uint16_t vid, uint16_t pid,
                                   const std::vector<TableEntry> &table);

const char *verdictText(InterfaceVerdict verdict);
