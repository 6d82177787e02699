// Commands, status and flash data as HID reports (the mapping is described in hiddll.h).
#include "data_reports.h"
#include "hid_session.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace hiddll;

HIDDLL_EXPORT int HT_SetUSBCmd(HANDLE handle, int length, unsigned char *command)
{
    hid_device *device = deviceOf(handle);
    if (!device)
        return 0;
    if (!command || length < 1 || length > kCommandBytes) {
        setLastError(HIDDLL_ERROR_BAD_ARGUMENT);
        return 0;
    }
    std::array<unsigned char, 1 + kCommandBytes> report{};
    report[0] = kReportId;
    std::memcpy(report.data() + 1, command, static_cast<size_t>(length));
    if (hid_send_feature_report(device, report.data(), report.size()) < 0) {
        setLastError(HIDDLL_ERROR_WRITE);
        return 0;
    }
    return 1;
}

HIDDLL_EXPORT int HT_GetUSBAck(HANDLE handle, int length, unsigned char *status)
{
    hid_device *device = deviceOf(handle);
    if (!device)
        return 0;
    if (!status || length < 1 || length > kStatusBytes) {
        setLastError(HIDDLL_ERROR_BAD_ARGUMENT);
        return 0;
    }
    std::array<unsigned char, 1 + kStatusBytes> report{};
    report[0] = kReportId;
    const int got = hid_get_feature_report(device, report.data(), report.size());
    if (got < 1 + length) {
        setLastError(HIDDLL_ERROR_READ);
        return 0;
    }
    std::memcpy(status, report.data() + 1, static_cast<size_t>(length));
    return 1;
}

HIDDLL_EXPORT int HT_WriteUSB(HANDLE handle, unsigned char *data, unsigned int count)
{
    hid_device *device = deviceOf(handle);
    if (!device)
        return 0;
    if (!data && count > 0) {
        setLastError(HIDDLL_ERROR_BAD_ARGUMENT);
        return 0;
    }
    // Every report says how many of its bytes are data, so a call of any length, at any
    // place in a transfer, hands the device exactly the bytes it was given.
    std::array<unsigned char, 1 + kDataReportBytes> report{};
    for (size_t offset = 0; offset < count;) {
        report[0] = kReportId;
        offset += fillDataReport(report.data() + 1, data, count, offset);
        if (hid_write(device, report.data(), report.size()) < 0) {
            setLastError(HIDDLL_ERROR_WRITE);
            return 0;
        }
    }
    return 1;
}
