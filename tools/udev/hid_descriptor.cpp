#include "hid_descriptor.h"

namespace {

// Item prefix: bits 0-1 size code, bits 2-3 type, bits 4-7 tag.
enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2, kReserved = 3 };
constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint8_t kDataSizeOfCode[4] = {0, 1, 2, 4};

// Tags used here, by type.
constexpr uint8_t kMainCollection = 0xA, kMainEndCollection = 0xC;
constexpr uint8_t kGlobalUsagePage = 0x0, kGlobalPush = 0xA, kGlobalPop = 0xB;
constexpr uint8_t kLocalUsage = 0x0;

constexpr size_t kMaxNesting = 32;

uint32_t littleEndian(const uint8_t *data, size_t size)
{
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= uint32_t(data[i]) << (8 * i);
    return value;
}

DescriptorReading refused(const std::string &why)
{
    DescriptorReading reading;
    reading.error = why;
    return reading;
}

} // namespace

DescriptorReading readReportDescriptor(const uint8_t *data, size_t size)
{
    if (size == 0)
        return refused("empty descriptor");
    if (size > kMaxReportDescriptorSize)
        return refused("descriptor longer than 4096 bytes");

    DescriptorReading reading;
    std::vector<uint16_t> pageStack;  // Push/Pop of the global usage page
    uint16_t usagePage = 0;
    bool haveUsage = false;
    TopLevelCollection pending;  // first usage declared since the last main item
    size_t depth = 0;

    for (size_t at = 0; at < size;) {
        const uint8_t prefix = data[at];
        if (prefix == kLongItemPrefix) {
            // Long item: prefix, data size, tag, data. No long item is defined; skip it.
            if (size - at < 3 || size - at - 3 < data[at + 1])
                return refused("truncated long item at offset " + std::to_string(at));
            at += 3 + size_t(data[at + 1]);
            continue;
        }
        const size_t length = kDataSizeOfCode[prefix & 3];
        if (size - at - 1 < length)
            return refused("truncated item at offset " + std::to_string(at));
        const uint32_t value = littleEndian(data + at + 1, length);
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        at += 1 + length;

        switch (type) {
        case kGlobal:
            if (tag == kGlobalUsagePage) {
                usagePage = uint16_t(value);
            } else if (tag == kGlobalPush) {
                if (pageStack.size() == kMaxNesting)
                    return refused("global stack too deep");
                pageStack.push_back(usagePage);
            } else if (tag == kGlobalPop) {
                if (pageStack.empty())
                    return refused("pop without push");
                usagePage = pageStack.back();
                pageStack.pop_back();
            }
            break;
        case kLocal:
            if (tag == kLocalUsage && !haveUsage) {
                // A four-byte usage carries its own page in the high half.
                pending.usagePage = length == 4 ? uint16_t(value >> 16) : usagePage;
                pending.usage = uint16_t(value);
                haveUsage = true;
            }
            break;
        case kMain:
            if (tag == kMainCollection) {
                if (depth == 0) {
                    if (!haveUsage)
                        pending = TopLevelCollection{usagePage, 0};
                    reading.collections.push_back(pending);
                }
                if (++depth > kMaxNesting)
                    return refused("collections nested too deep");
            } else if (tag == kMainEndCollection) {
                if (depth == 0)
                    return refused("end of a collection that was never opened");
                --depth;
            }
            // Local items last until the next main item.
            haveUsage = false;
            pending = TopLevelCollection{};
            break;
        case kReserved:
            break;
        }
    }
    if (depth != 0)
        return refused("collection left open");
    reading.wellFormed = true;
    return reading;
}
