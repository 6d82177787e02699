// Writes the udev rules for a device table at build time.
//   gearconsole_udev_rules TABLE HELPER_PATH OUTPUT
#include "device_table_file.h"
#include "rules_text.h"

#include <cstdio>
#include <fstream>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: gearconsole_udev_rules TABLE HELPER_PATH OUTPUT\n");
        return 2;
    }
    std::vector<TableEntry> table;
    if (!readDeviceTableFile(argv[1], &table) || table.empty()) {
        std::fprintf(stderr, "gearconsole_udev_rules: no device table in %s\n", argv[1]);
        return 1;
    }
    std::string text, error;
    if (!udevRulesText(table, argv[2], std::string(), &text, &error)) {
        std::fprintf(stderr, "gearconsole_udev_rules: %s\n", error.c_str());
        return 1;
    }
    std::ofstream out(argv[3], std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "gearconsole_udev_rules: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
