#pragma once
// The udev rules that give the logged-in user the device table's command
// interfaces and the boot loader, and nothing else of those devices.
#include "device_table_file.h"

#include <string>

// helper: the helper's absolute path, or its bare name when it lies in udev's
// own folder (/usr/lib/udev); helperTable: the table it reads, empty for its
// installed one. Returns false (and says why) when either holds characters a
// udev rule cannot carry.
bool udevRulesText(const std::vector<TableEntry> &table, const std::string &helper, const std::string &helperTable,
                   std::string *text, std::string *error);

// File name of the rules; below 73, where udev hands out uaccess.
constexpr const char *kRulesFileName = "70-gearconsole.rules";
