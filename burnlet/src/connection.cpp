// Finding and releasing the boot loader.
#include "burnlet.h"
#include "state.h"

using namespace burnlet;

extern "C" uint32_t ConnectToWriter(void)
{
    LibraryState &s = state();
    if (s.current) {
        s.deviceCount = 0;
        return BURNLET_OK;
    }
    if (!HT_FindHidFirstDevice(kVendorId, kProductId, &s.current)) {
        // A failed search must never read as success, even if HIDDLL has no code for it.
        const unsigned int error = HT_HidGetLastError();
        return error != 0 ? error : static_cast<uint32_t>(BURNLET_TRANSFER_FAILED);
    }
    s.handles[0] = s.current;
    s.deviceCount = 1;
    // The other devices stay open, unused, so that no other program takes them meanwhile.
    while (s.deviceCount < kMaxHandles && HT_FindHidNextDevice(&s.handles[s.deviceCount]))
        ++s.deviceCount;
    return s.current ? BURNLET_OK : BURNLET_TRANSFER_FAILED;
}

extern "C" uint32_t DisConnectWriter(void)
{
    LibraryState &s = state();
    for (HANDLE &handle : s.handles) {
        if (handle && CloseHandle(handle) == 1)
            handle = nullptr;
    }
    s.current = nullptr;
    return BURNLET_OK;
}
