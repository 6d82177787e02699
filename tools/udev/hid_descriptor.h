#pragma once
// Reads the top-level collections of a HID report descriptor: the usage page
// and usage each application collection is declared with. Nothing else of
// the descriptor matters to the access rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct TopLevelCollection
{
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

struct DescriptorReading
{
    bool wellFormed = false;
    std::string error;  // why it is not well formed
    std::vector<TopLevelCollection> collections;
};

// The kernel never hands out a longer descriptor.
constexpr size_t kMaxReportDescriptorSize = 4096;

DescriptorReading readReportDescriptor(const uint8_t *data, size_t size);
