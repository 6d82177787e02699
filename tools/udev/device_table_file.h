#pragma once
// The device table as the access rule needs it: each entry's ids and the
// usages of its command and secondary interfaces. Read from the INI file
// (modules/setting/apConfig.bin) without Qt, with the program's own rules:
// hexadecimal values without prefix, anything unparsable counts as 0.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct InterfaceUsage
{
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

struct TableEntry
{
    int index = 0;
    uint16_t vid = 0;
    uint16_t pid = 0;
    InterfaceUsage command;    // usagePage / usage
    InterfaceUsage secondary;  // usagePage2 / usage2; page 0 when the entry has none
};

// No device table names more entries than this.
constexpr int kMaxTableEntries = 256;

std::vector<TableEntry> readDeviceTable(std::istream &in);
// False when the file cannot be opened.
bool readDeviceTableFile(const std::string &path, std::vector<TableEntry> *entries);

uint16_t parseHex16(const std::string &text);
