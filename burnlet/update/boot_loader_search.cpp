#include "boot_loader_search.h"

#include "hiddll.h"

#include <vector>

namespace firmware {

namespace {
constexpr unsigned kVendorId = 0x04D9;
constexpr unsigned kProductId = 0x8022;
constexpr int kEnough = 8;  // the most the library would hold open
}  // namespace

BootLoaderCount countBootLoaders()
{
    BootLoaderCount count;
    std::vector<HANDLE> opened;
    HANDLE handle = nullptr;
    if (!HT_FindHidFirstDevice(kVendorId, kProductId, &handle)) {
        count.searchError = HT_HidGetLastError();
        return count;
    }
    opened.push_back(handle);
    for (HANDLE next = nullptr; opened.size() < kEnough && HT_FindHidNextDevice(&next); next = nullptr)
        opened.push_back(next);
    for (HANDLE open : opened)
        CloseHandle(open);
    count.found = static_cast<int>(opened.size());
    return count;
}

}  // namespace firmware
