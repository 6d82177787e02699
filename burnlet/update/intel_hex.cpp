#include "intel_hex.h"

#include "hex_format.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <string>

namespace firmware {

namespace {

enum RecordType : uint8_t {
    kData = 0x00,
    kEndOfFile = 0x01,
    kExtendedSegment = 0x02,
    kStartSegment = 0x03,
    kExtendedLinear = 0x04,
    kStartLinear = 0x05,
};

// Field positions within a decoded record.
enum RecordField : size_t { kCountField = 0, kOffsetField = 1, kTypeField = 3, kDataField = 4 };
constexpr size_t kRecordOverhead = 5;  // count, offset (2), type, checksum

struct Record {
    uint8_t type = 0;
    uint16_t offset = 0;
    std::vector<uint8_t> data;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Decodes one line into a record, or explains what is wrong with it.
std::optional<Record> decodeRecord(const std::string &line, std::string &error)
{
    if (line[0] != ':') {
        error = "a record must start with ':'";
        return std::nullopt;
    }
    const std::string digits = line.substr(1);
    if (digits.size() % 2 != 0) {
        error = "odd number of hex digits";
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexDigit(digits[i]), low = hexDigit(digits[i + 1]);
        if (high < 0 || low < 0) {
            error = "'" + digits.substr(i, 2) + "' is not a hex byte";
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    if (bytes.size() < kRecordOverhead || bytes.size() != kRecordOverhead + bytes[kCountField]) {
        error = "the byte count does not match the record's length";
        return std::nullopt;
    }
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum = static_cast<uint8_t>(sum + b);
    if (sum != 0) {
        const uint8_t stated = bytes.back();
        error = "checksum mismatch (record says " + hexByte(stated) + ", data give " +
                hexByte(static_cast<uint8_t>(stated - sum)) + ")";
        return std::nullopt;
    }
    Record record;
    record.type = bytes[kTypeField];
    record.offset = static_cast<uint16_t>(bytes[kOffsetField] << 8 | bytes[kOffsetField + 1]);
    record.data.assign(bytes.begin() + kDataField, bytes.end() - 1);
    return record;
}

// Collects data bytes over the 16-bit address space, refusing overlaps.
class ImageBuilder {
public:
    ImageBuilder() : bytes_(kAddressSpace, kErasedByte) {}


    bool place(uint32_t address, const std::vector<uint8_t> &data, std::string &error)
    {
        if (uint64_t(address) + data.size() > kAddressSpace) {
            error = "data at " + hexWord(address) + " lie beyond the 16-bit address space";
            return false;
        }
        for (size_t i = 0; i < data.size(); ++i) {
            if (filled_[address + i]) {
                error = "data overlap an earlier record at " + hexWord(uint32_t(address + i));
                return false;
            }
            filled_[address + i] = true;
            bytes_[address + i] = data[i];
            lowest_ = std::min(lowest_, uint32_t(address + i));
            highest_ = std::max(highest_, uint32_t(address + i));
        }
        return true;
    }

    // The filled stretches, in address order: the runs the image owns.
    std::vector<Run> runs() const
    {
        std::vector<Run> result;
        for (uint32_t at = lowest_; at <= highest_ && at < kAddressSpace;) {
            if (!filled_[at]) {
                ++at;
                continue;
            }
            Run run;
            run.address = at;
            for (; at < kAddressSpace && filled_[at]; ++at)
                run.bytes.push_back(bytes_[at]);
            result.push_back(std::move(run));
        }
        return result;
    }

private:
    std::vector<uint8_t> bytes_;
    std::bitset<kAddressSpace> filled_;
    uint32_t lowest_ = kAddressSpace;
    uint32_t highest_ = 0;
};

bool expectDataLength(const Record &record, size_t length, std::string &error)
{
    if (record.data.size() == length)
        return true;
    error = "record type " + hexByte(record.type) + " must carry " + std::to_string(length) + " data bytes";
    return false;
}

std::string trimmed(const std::string &line)
{
    const size_t end = line.find_last_not_of(" \t\r\n");
    const size_t begin = line.find_first_not_of(" \t");
    return end == std::string::npos ? std::string() : line.substr(begin, end - begin + 1);
}

// Reads one line into `line`, at most `limit` characters; false at the end of the text.
// `tooLong` is set, and reading stops, when the line runs past the limit.
bool readBoundedLine(std::istream &text, std::string &line, size_t limit, bool &tooLong)
{
    line.clear();
    tooLong = false;
    std::istream::int_type c;
    bool any = false;
    while ((c = text.get()) != std::istream::traits_type::eof()) {
        any = true;
        if (c == '\n')
            return true;
        if (line.size() == limit) {
            tooLong = true;
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    return any;
}

// Room for the longest record and the spaces or carriage return around it.
constexpr size_t kLongestLine = kLongestRecordChars + 16;

}  // namespace

bool looksLikeHexRecord(const std::string &line, bool cut)
{
    const std::string record = cut ? line : trimmed(line);
    if (record.size() < 11 || record[0] != ':' || (!cut && record.size() % 2 == 0))
        return false;
    return std::all_of(record.begin() + 1, record.end(), [](char c) { return hexDigit(c) >= 0; });
}

ImageRead parseIntelHex(std::istream &text)
{
    auto builder = std::make_unique<ImageBuilder>();
    uint32_t base = 0;
    bool ended = false;
    std::string raw;
    bool tooLong = false;
    for (int lineNumber = 1; readBoundedLine(text, raw, kLongestLine, tooLong); ++lineNumber) {
        const auto fail = [&](const std::string &why) {
            return ImageRead{std::nullopt, "line " + std::to_string(lineNumber) + ": " + why};
        };
        if (lineNumber == 1 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
            raw.erase(0, 3);  // an editor's byte-order mark
        const std::string line = trimmed(raw);
        if (tooLong || line.size() > kLongestRecordChars)
            return fail("longer than any record can be (" + std::to_string(kLongestRecordChars) + " characters)");
        if (line.empty())
            continue;
        std::string error;
        if (ended)
            return fail("a record follows the end-of-file record");
        const std::optional<Record> record = decodeRecord(line, error);
        if (!record)
            return fail(error);
        switch (record->type) {
        case kData:
            if (!builder->place(base + record->offset, record->data, error))
                return fail(error);
            break;
        case kEndOfFile:
            if (!expectDataLength(*record, 0, error))
                return fail(error);
            ended = true;
            break;
        case kExtendedSegment:
        case kExtendedLinear:
            if (!expectDataLength(*record, 2, error))
                return fail(error);
            base = uint32_t(record->data[0] << 8 | record->data[1]) << (record->type == kExtendedLinear ? 16 : 4);
            break;
        case kStartSegment:
        case kStartLinear:  // an entry point means nothing to the boot loader
            if (!expectDataLength(*record, 4, error))
                return fail(error);
            break;
        default:
            return fail("unknown record type " + hexByte(record->type));
        }
    }
    if (text.bad())
        return {std::nullopt, "the file could not be read to its end"};
    if (!ended)
        return {std::nullopt, "the file has no end-of-file record (truncated?)"};
    FirmwareImage image;
    image.format = ImageFormat::IntelHex;
    image.runs = builder->runs();
    return {std::move(image), {}};
}

}  // namespace firmware
