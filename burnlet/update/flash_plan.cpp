#include "flash_plan.h"

#include <algorithm>

namespace firmware {

std::vector<FlashRange> pagesToErase(const FirmwareImage &image, uint32_t pageBytes)
{
    std::vector<FlashRange> ranges;
    for (const Run &run : image.runs) {
        if (run.bytes.empty())
            continue;
        const uint32_t first = run.address / pageBytes * pageBytes;
        const uint32_t end = (run.end() + pageBytes - 1) / pageBytes * pageBytes;
        if (!ranges.empty() && ranges.back().address + ranges.back().length >= first)
            ranges.back().length = std::max(ranges.back().address + ranges.back().length, end) - ranges.back().address;
        else
            ranges.push_back({first, end - first});
    }
    return ranges;
}

std::vector<FlashRange> piecesOf(const std::vector<FlashRange> &ranges, uint32_t largest)
{
    std::vector<FlashRange> pieces;
    for (const FlashRange &range : ranges) {
        for (uint32_t at = 0; at < range.length; at += largest)
            pieces.push_back({range.address + at, std::min(largest, range.length - at)});
    }
    return pieces;
}

std::vector<Transfer> transfersOf(const FirmwareImage &image, uint32_t largest)
{
    std::vector<Transfer> transfers;
    for (const Run &run : image.runs) {
        for (size_t at = 0; at < run.bytes.size(); at += largest) {
            const size_t length = std::min<size_t>(largest, run.bytes.size() - at);
            transfers.push_back({run.address + static_cast<uint32_t>(at), run.bytes.data() + at,
                                 static_cast<uint16_t>(length)});
        }
    }
    return transfers;
}

}  // namespace firmware
