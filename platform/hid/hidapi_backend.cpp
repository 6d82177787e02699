#include "hidapi_backend.h"

#include <QMutex>

#include <hidapi/hidapi.h>

namespace {

// hidapi keeps one process-wide error text, which enumeration and every open
// free and set again. The vendor-report poll opens its interface on its own
// thread while the GUI thread detects and opens: unguarded, two failing opens
// at once lose one text or free it twice. Calls that touch it take turns;
// transfers on an open handle keep their own error text and need no lock.
QMutex &globalStateLock()
{
    static QMutex lock;
    return lock;
}

class HidapiDevice final : public HidDevice
{
public:
    HidapiDevice(hid_device *handle, QByteArray path) : m_handle(handle), m_path(std::move(path)) {}
    ~HidapiDevice() override
    {
        QMutexLocker lock(&globalStateLock());
        hid_close(m_handle);
    }

    QByteArray path() const override { return m_path; }
    int setNonBlocking(bool nonBlocking) override { return hid_set_nonblocking(m_handle, nonBlocking ? 1 : 0); }
    int sendFeatureReport(const uint8_t *data, size_t length) override
    {
        return hid_send_feature_report(m_handle, data, length);
    }
    int getFeatureReport(uint8_t *data, size_t length) override
    {
        return hid_get_feature_report(m_handle, data, length);
    }
    int write(const uint8_t *data, size_t length) override { return hid_write(m_handle, data, length); }
    int readTimeout(uint8_t *data, size_t length, int timeoutMs) override
    {
        return hid_read_timeout(m_handle, data, length, timeoutMs);
    }

private:
    hid_device *m_handle;
    QByteArray m_path;
};

} // namespace

HidapiBackend::HidapiBackend() { hid_init(); }

HidapiBackend::~HidapiBackend() { hid_exit(); }

QList<HidInterfaceInfo> HidapiBackend::enumerate(quint16 vendorId, quint16 productId)
{
    QList<HidInterfaceInfo> found;
    QMutexLocker lock(&globalStateLock());
    hid_device_info *list = hid_enumerate(vendorId, productId);
    for (hid_device_info *it = list; it; it = it->next) {
        HidInterfaceInfo info;
        info.path = QByteArray(it->path);
        info.vendorId = it->vendor_id;
        info.productId = it->product_id;
        info.usagePage = it->usage_page;
        info.usage = it->usage;
        found.append(info);
    }
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const QByteArray &path)
{
    hid_device *handle = nullptr;
    {
        QMutexLocker lock(&globalStateLock());
        handle = hid_open_path(path.constData());
    }
    if (!handle)
        return nullptr;
    return std::make_unique<HidapiDevice>(handle, path);
}
