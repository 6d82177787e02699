// Finding boot-loader devices and releasing their handles.
#include "hid_session.h"

using namespace hiddll;

namespace {
// Collects every interface path with the given IDs, in enumeration order.
std::vector<std::string> enumeratePaths(unsigned int vid, unsigned int pid)
{
    std::vector<std::string> paths;
    hid_device_info *list = hid_enumerate(static_cast<unsigned short>(vid), static_cast<unsigned short>(pid));
    for (hid_device_info *entry = list; entry; entry = entry->next) {
        if (entry->path)
            paths.emplace_back(entry->path);
    }
    hid_free_enumeration(list);
    return paths;
}

// Opens the next path of the search that can be opened.
int openNext(HANDLE *handle)
{
    Search &search = currentSearch();
    while (search.next < search.paths.size()) {
        HANDLE opened = openPath(search.paths[search.next++]);
        if (opened) {
            *handle = opened;
            setLastError(HIDDLL_ERROR_NONE);
            return 1;
        }
    }
    return 0;
}
}  // namespace

HIDDLL_EXPORT int HT_FindHidFirstDevice(unsigned int vid, unsigned int pid,
                                                                            HANDLE *handle)
{
    if (!handle) {
        setLastError(HIDDLL_ERROR_BAD_ARGUMENT);
        return 0;
    }
    if (hid_init() != 0) {
        setLastError(HIDDLL_ERROR_INIT);
        return 0;
    }
    currentSearch() = Search{enumeratePaths(vid, pid), 0};
    if (currentSearch().paths.empty()) {
        setLastError(HIDDLL_ERROR_NO_DEVICE);
        return 0;
    }
    return openNext(handle);  // leaves HIDDLL_ERROR_OPEN when nothing could be opened
}

HIDDLL_EXPORT int HT_FindHidNextDevice(HANDLE *handle)
{
    if (!handle) {
        setLastError(HIDDLL_ERROR_BAD_ARGUMENT);
        return 0;
    }
    if (openNext(handle))
        return 1;
    setLastError(HIDDLL_ERROR_NO_MORE);
    return 0;
}

HIDDLL_EXPORT unsigned int HT_HidGetLastError(void)
{
    return lastError();
}

HIDDLL_EXPORT int CloseHandle(HANDLE handle)
{
    if (!handle)
        return 0;
    auto *open = static_cast<OpenDevice *>(handle);
    hid_close(open->device);
    delete open;
    return 1;
}
