#include "device_table_file.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>

namespace {

using Group = std::map<std::string, std::string>;

std::string trimmed(const std::string &text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

std::string unquoted(const std::string &text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

std::map<std::string, Group> readGroups(std::istream &in)
{
    std::map<std::string, Group> groups;
    std::string group = "General";
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            group = trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        groups[group][trimmed(line.substr(0, equals))] = unquoted(trimmed(line.substr(equals + 1)));
    }
    return groups;
}

std::string valueOf(const std::map<std::string, Group> &groups, const std::string &group, const std::string &key)
{
    const auto g = groups.find(group);
    if (g == groups.end())
        return {};
    const auto v = g->second.find(key);
    return v == g->second.end() ? std::string() : v->second;
}

int parseDecimal(const std::string &text)
{
    const std::string value = trimmed(text);
    if (value.empty())
        return 0;
    char *end = nullptr;
    const long number = std::strtol(value.c_str(), &end, 10);
    return *end == '\0' && number > 0 && number <= kMaxTableEntries ? int(number) : 0;
}

} // namespace

uint16_t parseHex16(const std::string &text)
{
    std::string value = trimmed(text);
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X'))
        value = value.substr(2);
    if (value.empty() || value.size() > 8)
        return 0;
    for (char c : value)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return 0;
    // Wider than 16 bits counts as unparsable, as the program reads it: its
    // low bits would name some other device.
    const unsigned long number = std::strtoul(value.c_str(), nullptr, 16);
    return number <= 0xffff ? uint16_t(number) : 0;
}

std::vector<TableEntry> readDeviceTable(std::istream &in)
{
    const auto groups = readGroups(in);
    const int count = parseDecimal(valueOf(groups, "common", "deviceCount"));
    std::vector<TableEntry> entries;
    for (int i = 0; i < count; ++i) {
        const std::string group = std::to_string(i);
        TableEntry entry;
        entry.index = i;
        entry.vid = parseHex16(valueOf(groups, group, "vid"));
        entry.pid = parseHex16(valueOf(groups, group, "pid"));
        entry.command = {parseHex16(valueOf(groups, group, "usagePage")), parseHex16(valueOf(groups, group, "usage"))};
        entry.secondary = {parseHex16(valueOf(groups, group, "usagePage2")),
                           parseHex16(valueOf(groups, group, "usage2"))};
        entries.push_back(entry);
    }
    return entries;
}

bool readDeviceTableFile(const std::string &path, std::vector<TableEntry> *entries)
{
    std::ifstream in(path);
    if (!in)
        return false;
    *entries = readDeviceTable(in);
    return true;
}
