#include "hid_session.h"

namespace hiddll {

namespace {
unsigned int g_lastError = HIDDLL_ERROR_NONE;
}

Search &currentSearch()
{
    static Search search;
    return search;
}

void setLastError(unsigned int code)
{
    g_lastError = code;
}

unsigned int lastError()
{
    return g_lastError;
}

HANDLE openPath(const std::string &path)
{
    hid_device *device = hid_open_path(path.c_str());
    if (!device) {
        setLastError(HIDDLL_ERROR_OPEN);
        return nullptr;
    }
    hid_set_nonblocking(device, 0);
    return new OpenDevice{device};
}

hid_device *deviceOf(HANDLE handle)
{
    if (!handle) {
        setLastError(HIDDLL_ERROR_BAD_ARGUMENT);
        return nullptr;
    }
    return static_cast<OpenDevice *>(handle)->device;
}

}  // namespace hiddll
