#include "intel_hex.h"

#include "hex_format.h"

#include <algorithm>
#include <bitset>
#include <memory>
#include <string>

namespace flashtool {

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

    FlashImage image() const
    {
        FlashImage image;
        if (filled_.none())
            return image;
        image.start = lowest_;
        image.bytes.assign(bytes_.begin() + lowest_, bytes_.begin() + highest_ + 1);
        return image;
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

}  // namespace

LoadedImage parseIntelHex(std::istream &text)
{
    auto builder = std::make_unique<ImageBuilder>();
    uint32_t base = 0;
    bool ended = false;
    std::string raw;
    for (int lineNumber = 1; std::getline(text, raw); ++lineNumber) {
        const std::string line = trimmed(raw);
        if (line.empty())
            continue;
        std::string error;
        const auto fail = [&](const std::string &why) {
            return LoadedImage{std::nullopt, "line " + std::to_string(lineNumber) + ": " + why};
        };
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
    if (!ended)
        return {std::nullopt, "the file has no end-of-file record (truncated?)"};
    return {builder->image(), {}};
}

}  // namespace flashtool
