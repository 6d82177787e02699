// Internal state of the hidapi-based HIDDLL: the open-device record behind a HANDLE, the
// search in progress and the last error.
#pragma once

#include "hiddll.h"

#include <hidapi/hidapi.h>

#include <string>
#include <vector>

// The layer exports only the HIDDLL calls.
#define HIDDLL_EXPORT extern "C" __attribute__((visibility("default")))

namespace hiddll {

constexpr unsigned char kReportId = 0;
constexpr int kCommandBytes = 8;
constexpr int kStatusBytes = 8;

struct OpenDevice {
    hid_device *device = nullptr;
};

// The paths found by HT_FindHidFirstDevice, handed out one by one by HT_FindHidNextDevice.
struct Search {
    std::vector<std::string> paths;
    size_t next = 0;
};

Search &currentSearch();
void setLastError(unsigned int code);
unsigned int lastError();

// Opens the path and wraps it in a HANDLE; null (and the error set) on failure.
HANDLE openPath(const std::string &path);
// The device behind a handle, or null (and the error set) for a null handle.
hid_device *deviceOf(HANDLE handle);

}  // namespace hiddll
