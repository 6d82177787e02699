#include "virtual_backend.h"

namespace {

class VirtualHandle final : public HidDevice
{
public:
    explicit VirtualHandle(std::shared_ptr<VirtualDevice> device) : m_device(std::move(device)) {}

    QByteArray path() const override { return m_device->identity().path; }
    int setNonBlocking(bool nonBlocking) override
    {
        m_nonBlocking = nonBlocking;
        return 0;
    }
    int sendFeatureReport(const uint8_t *data, size_t length) override { return m_device->featureOut(data, length); }
    int getFeatureReport(uint8_t *data, size_t length) override { return m_device->featureIn(data, length); }
    int write(const uint8_t *data, size_t length) override { return m_device->output(data, length); }
    int readTimeout(uint8_t *data, size_t length, int timeoutMs) override
    {
        return m_device->input(data, length, m_nonBlocking ? 0 : timeoutMs);
    }

private:
    std::shared_ptr<VirtualDevice> m_device;
    bool m_nonBlocking = false;
};

// Never destroyed: the process-wide backend of the HID seam is a static
// that may be destroyed after this file's statics at exit.
struct LiveBackends
{
    QMutex mutex;
    QList<const VirtualHidBackend *> backends;
};

LiveBackends &liveBackends()
{
    static LiveBackends *registry = new LiveBackends;
    return *registry;
}

} // namespace

VirtualHidBackend::VirtualHidBackend()
{
    QMutexLocker lock(&liveBackends().mutex);
    liveBackends().backends.append(this);
}

VirtualHidBackend::~VirtualHidBackend()
{
    QMutexLocker lock(&liveBackends().mutex);
    liveBackends().backends.removeOne(this);
}

QList<std::shared_ptr<VirtualDevice>> VirtualHidBackend::liveDevices()
{
    QMutexLocker lock(&liveBackends().mutex);
    QList<std::shared_ptr<VirtualDevice>> all;
    for (const VirtualHidBackend *backend : liveBackends().backends)
        all += backend->devices();
    return all;
}

std::shared_ptr<VirtualDevice> VirtualHidBackend::add(std::shared_ptr<VirtualDevice> device)
{
    QMutexLocker lock(&m_mutex);
    m_devices.append(device);
    return device;
}

std::shared_ptr<VirtualDevice> VirtualHidBackend::find(const QByteArray &path) const
{
    QMutexLocker lock(&m_mutex);
    for (const auto &device : m_devices) {
        if (device->identity().path == path)
            return device;
    }
    return nullptr;
}

QList<std::shared_ptr<VirtualDevice>> VirtualHidBackend::devices() const
{
    QMutexLocker lock(&m_mutex);
    return m_devices;
}

void VirtualHidBackend::remove(const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    m_devices.removeIf([&](const auto &device) { return device->identity().path == path; });
}

QList<HidInterfaceInfo> VirtualHidBackend::enumerate(quint16 vendorId, quint16 productId)
{
    QMutexLocker lock(&m_mutex);
    QList<HidInterfaceInfo> found;
    for (const auto &device : m_devices) {
        const VirtualDevice::Identity &id = device->identity();
        if (id.vendorId == vendorId && id.productId == productId)
            found.append({id.path, id.vendorId, id.productId, id.usagePage, id.usage});
    }
    return found;
}

std::unique_ptr<HidDevice> VirtualHidBackend::open(const QByteArray &path)
{
    std::shared_ptr<VirtualDevice> device = find(path);
    if (!device || device->failsOpen())
        return nullptr;
    return std::make_unique<VirtualHandle>(device);
}
