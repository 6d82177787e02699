// gearconsole-hidraw-usage: called by the udev rules for a hidraw node of a
// device the table lists. Prints GEARCONSOLE_COMMAND_INTERFACE=1 when the
// node's interface may be opened by the logged-in user (see
// interface_check.h), nothing otherwise.
//
//   gearconsole-hidraw-usage [--table FILE] SYSFS_PATH
//   gearconsole-hidraw-usage [--table FILE] --descriptor FILE --id VVVV:PPPP
//
// Exit status: 0 decided (granted or not), 1 unreadable input, 2 bad usage.
#include "device_table_file.h"
#include "hid_descriptor.h"
#include "interface_check.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <climits>
#include <unistd.h>

// The installed device table, relative to the helper's own folder.
#ifndef GEARCONSOLE_TABLE_FROM_HELPER
#define GEARCONSOLE_TABLE_FROM_HELPER "../../share/gearconsole/modules/setting/apConfig.bin"
#endif

namespace {

constexpr int kDecided = 0, kUnreadable = 1, kBadUsage = 2;

int usage()
{
    std::fprintf(stderr,
                 "usage: gearconsole-hidraw-usage [--table FILE] SYSFS_PATH\n"
                 "       gearconsole-hidraw-usage [--table FILE] --descriptor FILE --id VVVV:PPPP\n");
    return kBadUsage;
}

std::string installedTable()
{
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return {};
    const std::string program(self, size_t(length));
    return program.substr(0, program.rfind('/') + 1) + GEARCONSOLE_TABLE_FROM_HELPER;
}

bool readFile(const std::string &path, size_t limit, std::vector<uint8_t> *bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->clear();
    char c;
    while (bytes->size() <= limit && in.get(c))
        bytes->push_back(uint8_t(c));
    return true;
}

bool parseIds(const std::string &text, uint16_t *vid, uint16_t *pid)
{
    const size_t colon = text.find(':');
    if (colon != 4 || text.size() != 9)
        return false;
    *vid = parseHex16(text.substr(0, 4));
    *pid = parseHex16(text.substr(5));
    return *vid != 0;
}

// The HID device's uevent holds "HID_ID=BBBB:VVVVVVVV:PPPPPPPP".
bool idsFromUevent(const std::string &path, uint16_t *vid, uint16_t *pid)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("HID_ID=", 0) != 0)
            continue;
        const std::string id = line.substr(7);
        if (id.size() != 22 || id[4] != ':' || id[13] != ':')
            return false;
        *vid = parseHex16(id.substr(9, 4));
        *pid = parseHex16(id.substr(18, 4));
        return *vid != 0 && id.substr(5, 4) == "0000" && id.substr(14, 4) == "0000";
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    std::string table;
    std::string descriptorFile, ids, sysfs;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == "--table" && hasValue)
            table = argv[++i];
        else if (word == "--descriptor" && hasValue)
            descriptorFile = argv[++i];
        else if (word == "--id" && hasValue)
            ids = argv[++i];
        else if (word.empty() || word[0] == '-' || !sysfs.empty())
            return usage();
        else
            sysfs = word;
    }
    if (sysfs.empty() == descriptorFile.empty() || descriptorFile.empty() != ids.empty())
        return usage();

    if (table.empty())
        table = installedTable();

    uint16_t vid = 0, pid = 0;
    if (!sysfs.empty()) {
        descriptorFile = sysfs + "/device/report_descriptor";
        if (!idsFromUevent(sysfs + "/device/uevent", &vid, &pid)) {
            std::fprintf(stderr, "gearconsole-hidraw-usage: no USB ids in %s/device/uevent\n", sysfs.c_str());
            return kUnreadable;
        }
    } else if (!parseIds(ids, &vid, &pid)) {
        return usage();
    }

    std::vector<uint8_t> descriptor;
    if (!readFile(descriptorFile, kMaxReportDescriptorSize, &descriptor)) {
        std::fprintf(stderr, "gearconsole-hidraw-usage: cannot read %s\n", descriptorFile.c_str());
        return kUnreadable;
    }
    std::vector<TableEntry> entries;
    if (!readDeviceTableFile(table, &entries)) {
        std::fprintf(stderr, "gearconsole-hidraw-usage: cannot read the device table %s\n", table.c_str());
        return kUnreadable;
    }

    const DescriptorReading reading = readReportDescriptor(descriptor.data(), descriptor.size());
    const InterfaceVerdict verdict = classifyInterface(reading, vid, pid, entries);
    if (verdict == InterfaceVerdict::Malformed) {
        std::fprintf(stderr, "gearconsole-hidraw-usage: %s: %s\n", descriptorFile.c_str(), reading.error.c_str());
        return kUnreadable;
    }
    if (verdict == InterfaceVerdict::CommandInterface || verdict == InterfaceVerdict::BootLoader) {
        std::printf("%s\n", kGrantProperty);
    } else {
        std::fprintf(stderr, "gearconsole-hidraw-usage: %04x:%04x %s: %s\n", vid, pid, descriptorFile.c_str(),
                     verdictText(verdict));
    }
    return kDecided;
}
