#include "image_file.h"

#include "hex_format.h"
#include "intel_hex.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sys/stat.h>

namespace firmware {

namespace {

std::string sizeText(uint64_t bytes)
{
    return bytes >= 1024 && bytes % 1024 == 0 ? std::to_string(bytes / 1024) + " KiB" : std::to_string(bytes) + " bytes";
}

// The file's first line that is not blank (without its end), reading no further than a
// record can be long, and no more than a few blank lines before it. `cut`: the line goes on.
std::string firstLine(std::istream &in, bool &cut)
{
    constexpr size_t kLookAhead = 4096;
    constexpr size_t kLongest = kLongestRecordChars + 16;
    std::string line;
    size_t read = 0;
    cut = false;
    std::istream::int_type c;
    while (read < kLookAhead && (c = in.get()) != std::istream::traits_type::eof()) {
        ++read;
        if (read == 3 && line == "\xEF\xBB" && c == 0xBF) {
            line.clear();  // an editor's byte-order mark before the first line
            continue;
        }
        if (c != '\n') {
            line.push_back(static_cast<char>(c));
            if (line.size() > kLongest) {
                cut = true;
                break;
            }
            continue;
        }
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            break;
        line.clear();
    }
    return line;
}

// Text, not a firmware image: every byte printable ASCII or white space. A binary image
// always holds other bytes (its vectors and code).
bool isPlainText(const std::vector<uint8_t> &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) {
        return (b >= 0x20 && b < 0x7F) || b == '\n' || b == '\r' || b == '\t';
    });
}

ImageRead readRaw(std::istream &in, uint32_t address)
{
    // One byte more than can be programmed shows that the file is too long; nothing after
    // it is read.
    const uint64_t room = kAddressSpace - std::min<uint64_t>(address, kAddressSpace);
    FirmwareImage image;
    image.format = ImageFormat::Raw;
    Run run;
    run.address = address;
    run.bytes.resize(room + 1);
    in.read(reinterpret_cast<char *>(run.bytes.data()), static_cast<std::streamsize>(run.bytes.size()));
    if (in.bad())
        return {std::nullopt, "the file could not be read"};
    run.bytes.resize(static_cast<size_t>(in.gcount()));
    if (run.bytes.size() > room)
        return {std::nullopt, "it is longer than the " + sizeText(room) + " that fit from " + hexWord(address) +
                                  " to the end of the boot loader's address space"};
    if (run.bytes.empty())
        return {std::nullopt, "the file is empty"};
    if (isPlainText(run.bytes))
        return {std::nullopt, "it is a text file, but not Intel HEX: it is not a firmware image"};
    image.runs.push_back(std::move(run));
    return {std::move(image), {}};
}
}  // namespace

ImageRead readImageFile(const std::string &path, std::optional<uint32_t> rawAddress)
{
    struct stat about {};
    if (::stat(path.c_str(), &about) != 0)
        return {std::nullopt, path + ": the file cannot be found"};
    if (S_ISDIR(about.st_mode))
        return {std::nullopt, path + ": this is a folder, not a firmware image"};
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {std::nullopt, path + ": the file cannot be opened"};

    bool cut = false;
    const std::string first = firstLine(file, cut);
    const bool hex = looksLikeHexRecord(first, cut);
    file.clear();
    file.seekg(0);
    if (!file)
        return {std::nullopt, path + ": the file cannot be read from its start (not a regular file?)"};

    ImageRead read;
    if (hex) {
        if (S_ISREG(about.st_mode) && uint64_t(about.st_size) > kLongestHexFile)
            return {std::nullopt, path + ": an Intel HEX file of " + sizeText(uint64_t(about.st_size)) +
                                      " holds more than the boot loader's 64 KiB"};
        if (rawAddress)
            return {std::nullopt, path + ": this is an Intel HEX file, which carries its own addresses; "
                                         "a load address applies to raw binary images only"};
        read = parseIntelHex(file);
    } else {
        read = readRaw(file, rawAddress.value_or(0));
    }
    if (!read.image)
        read.refusal = path + ": " + read.refusal;
    return read;
}

}  // namespace firmware
