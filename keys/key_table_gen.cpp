// Build-time generator: turns the key-name table (key_names.tsv) into the C++
// table of the program and the JS table that the UI imports, so the names are
// written down once.
//
//   key_table_gen <key_names.tsv> <out.cpp> <out.js>
//
// A malformed line stops the build with the line number, rather than letting a
// broken table reach either side.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kExpectedEntries = 134;

struct Row
{
    unsigned usage;
    std::string name;
};

[[noreturn]] void fail(const std::string &message)
{
    std::cerr << "key_table_gen: " << message << '\n';
    std::exit(1);
}

std::vector<Row> readTable(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail(std::string("cannot read ") + path);
    std::vector<Row> rows;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos || tab + 1 >= line.size())
            fail(std::string(path) + ":" + std::to_string(number) + ": expected <code> TAB <name>");
        // strtoul's end pointer points into the code's own string, which must
        // outlive the check below.
        const std::string code = line.substr(0, tab);
        char *end = nullptr;
        const unsigned long usage = std::strtoul(code.c_str(), &end, 16);
        if (*end != '\0' || usage > 0xFF)
            fail(std::string(path) + ":" + std::to_string(number) + ": bad usage code");
        rows.push_back({static_cast<unsigned>(usage), line.substr(tab + 1)});
    }
    if (rows.size() != kExpectedEntries)
        fail(std::string(path) + ": " + std::to_string(rows.size()) + " entries, expected "
             + std::to_string(kExpectedEntries));
    return rows;
}

// Bytes of a UTF-8 name as a C or JS string literal body. Non-ASCII bytes are
// written as three-digit octal (C) so that no following character can extend
// the escape; JS gets the text itself, which the QML engine reads as UTF-8.
std::string quoted(const std::string &name, bool forC)
{
    std::string out = "\"";
    for (unsigned char c : name) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || (forC && c >= 0x80)) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\%03o", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string hex(unsigned usage)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", usage);
    return buffer;
}

void writeFile(const char *path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        fail(std::string("cannot write ") + path);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        fail("usage: key_table_gen <key_names.tsv> <out.cpp> <out.js>");
    const std::vector<Row> rows = readTable(argv[1]);

    std::ostringstream cpp;
    cpp << "// Generated from keys/key_names.tsv by key_table_gen; edit the table, not this file.\n"
        << "#include \"keys/key_names.h\"\n\n"
        << "const KeyNameEntry kKeyNameTable[kKeyNameCount] = {\n";
    for (const Row &row : rows)
        cpp << "    {" << hex(row.usage) << ", " << quoted(row.name, true) << "},\n";
    cpp << "};\n";
    writeFile(argv[2], cpp.str());

    std::ostringstream js;
    js << "// Generated from keys/key_names.tsv by key_table_gen; edit the table, not this file.\n"
       << ".pragma library\n\n"
       << "// HID usage codes and their display names, position by position.\n"
       << "var keyCode = [";
    for (std::size_t i = 0; i < rows.size(); ++i)
        js << (i % 12 == 0 ? "\n    " : " ") << hex(rows[i].usage) << (i + 1 < rows.size() ? "," : "");
    js << "\n];\n\nvar keyCodeStr = [";
    for (std::size_t i = 0; i < rows.size(); ++i)
        js << (i % 12 == 0 ? "\n    " : " ") << quoted(rows[i].name, false) << (i + 1 < rows.size() ? "," : "");
    js << "\n];\n";
    writeFile(argv[3], js.str());
    return 0;
}
