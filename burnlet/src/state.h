// Process-wide state of the library: the open boot-loader handles, the status block of the
// last read and the progress value that clients poll.
#pragma once

#include "hiddll.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace burnlet {

constexpr unsigned kVendorId = 0x04D9;
constexpr unsigned kProductId = 0x8022;
constexpr int kMaxHandles = 8;
constexpr int kStatusSize = 8;

using StatusBlock = std::array<uint8_t, kStatusSize>;

struct LibraryState {
    std::array<HANDLE, kMaxHandles> handles{};
    HANDLE current = nullptr;  // copy of handles[0]; null = not connected
    int32_t deviceCount = 0;
    StatusBlock status{};
    // Written whole by the transfer and read by a client's UI thread.
    std::atomic<int32_t> progress{0};
};

LibraryState &state();

}  // namespace burnlet
