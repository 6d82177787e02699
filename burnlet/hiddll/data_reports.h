// How flash data cross the wire as 64-byte output reports (the layout is described in
// hiddll.h). Shared by the hidapi layer that builds the reports and by the boot-loader
// model that takes them apart, so that both ends read one table.
#pragma once

#include "hiddll.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace hiddll {

constexpr size_t kDataReportBytes = 64;                     // after the report-ID byte
constexpr size_t kDataCountField = 0;                       // data bytes this report carries
constexpr size_t kDataField = 1;                            // the data, from here on
constexpr size_t kDataPerReport = HIDDLL_DATA_PER_REPORT;
static_assert(kDataField + kDataPerReport == kDataReportBytes, "one count byte, then the data");

// Reports needed for `count` bytes of flash data.
constexpr size_t dataReportsFor(size_t count)
{
    return (count + kDataPerReport - 1) / kDataPerReport;
}

// Fills `report` (kDataReportBytes) with the next at most 63 bytes of `data` from `offset`
// on; returns how many it took. Bytes after the data are zero and carry nothing.
inline size_t fillDataReport(uint8_t *report, const uint8_t *data, size_t count, size_t offset)
{
    const size_t taken = std::min(kDataPerReport, count - offset);
    std::memset(report, 0, kDataReportBytes);
    report[kDataCountField] = static_cast<uint8_t>(taken);
    std::memcpy(report + kDataField, data + offset, taken);
    return taken;
}

// The data bytes a received report carries: 1 to 63, or 0 for a report that is malformed
// (too short, a count of 0 or one beyond the report) and must be ignored whole.
inline size_t dataInReport(const uint8_t *report, size_t size)
{
    if (size < kDataField)
        return 0;
    const size_t count = report[kDataCountField];
    if (count == 0 || count > kDataPerReport || kDataField + count > size)
        return 0;
    return count;
}

}  // namespace hiddll
