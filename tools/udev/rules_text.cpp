#include "rules_text.h"

#include "interface_check.h"

#include <cctype>
#include <cstdio>
#include <set>
#include <utility>

namespace {

std::string hex4(uint16_t value)
{
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

// A hidraw node's parent HID device is named BUS:VID:PID.N (hex capitals, bus
// 0003 for USB). Unlike the USB parent's idVendor/idProduct, that name is also
// there for a device the kernel is handed through uhid, which has no USB parent.
std::string hidDeviceMatch(uint16_t vid, uint16_t pid)
{
    char text[64];
    std::snprintf(text, sizeof text, "KERNELS==\"0003:%04X:%04X.*\", GOTO=\"gearconsole_check\"\n", vid, pid);
    return text;
}

// udev splits a program line at blanks and expands % and $.
bool fitsInRule(const std::string &word)
{
    for (char c : word) {
        if (c == '"' || c == '\'' || c == '%' || c == '$' || c == '\\' || std::isspace(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool anyUsableInterface(const TableEntry &entry)
{
    return isVendorDefinedPage(entry.command.usagePage) || isVendorDefinedPage(entry.secondary.usagePage);
}

} // namespace

bool udevRulesText(const std::vector<TableEntry> &table, const std::string &helper, const std::string &helperTable,
                   std::string *text, std::string *error)
{
    const bool bareName = helper.find('/') == std::string::npos;
    if (helper.empty() || (!bareName && helper[0] != '/') || !fitsInRule(helper) || !fitsInRule(helperTable)
        || (!helperTable.empty() && helperTable[0] != '/')) {
        *error = "paths in a udev rule must be absolute and free of blanks, quotes, %, $ and \\: " + helper + " "
                 + helperTable;
        return false;
    }
    const std::string helperCommand = helperTable.empty() ? helper : helper + " --table " + helperTable;

    std::string out =
        "# gearconsole: lets the logged-in user open the command interfaces of the\n"
        "# keyboards and accessories of the device table, and the boot loader, without\n"
        "# root. Generated from the device table; do not edit.\n"
        "# The helper reads each interface's report descriptor and sets\n"
        "# GEARCONSOLE_COMMAND_INTERFACE=1 only when all its top-level collections are\n"
        "# vendor-defined and one of them is named by the table for the device's ids:\n"
        "# the interfaces that carry keystrokes, pointer movement or media keys are\n"
        "# never opened to the user.\n"
        "ACTION==\"remove\", GOTO=\"gearconsole_end\"\n"
        "SUBSYSTEM!=\"hidraw\", GOTO=\"gearconsole_end\"\n";

    std::set<std::pair<uint16_t, uint16_t>> listed;
    for (const TableEntry &entry : table) {
        const std::string ids = hex4(entry.vid) + ":" + hex4(entry.pid);
        if (entry.vid == 0) {
            out += "# entry " + std::to_string(entry.index) + ": no vendor id\n";
            continue;
        }
        if (!anyUsableInterface(entry)) {
            out += "# entry " + std::to_string(entry.index) + " (" + ids
                   + "): no vendor-defined interface, nothing granted\n";
            continue;
        }
        if (!listed.insert({entry.vid, entry.pid}).second)
            continue;
        out += hidDeviceMatch(entry.vid, entry.pid);
    }
    if (listed.insert({kBootLoaderVid, kBootLoaderPid}).second) {
        out += "# boot loader\n";
        out += hidDeviceMatch(kBootLoaderVid, kBootLoaderPid);
    }
    out += "GOTO=\"gearconsole_end\"\n"
           "\n"
           "LABEL=\"gearconsole_check\"\n"
           "IMPORT{program}=\"" + helperCommand + " %S%p\"\n"
           "ENV{GEARCONSOLE_COMMAND_INTERFACE}==\"1\", TAG+=\"uaccess\"\n"
           "\n"
           "LABEL=\"gearconsole_end\"\n";
    *text = out;
    return true;
}
