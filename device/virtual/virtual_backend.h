#pragma once
#include "platform/hid/hid_backend.h"
#include "virtual_device.h"

#include <QMutex>
#include <memory>

// A HID backend whose devices are virtual: enumeration lists them by
// vendor/product pair in the order they were added; opening a path gives a
// handle onto the device, whose state outlives the handle.
class VirtualHidBackend final : public HidBackend
{
public:
    VirtualHidBackend();
    ~VirtualHidBackend() override;
    VirtualHidBackend(const VirtualHidBackend &) = delete;
    VirtualHidBackend &operator=(const VirtualHidBackend &) = delete;

    // The devices of every virtual backend alive in the process, oldest
    // backend first: the state file reaches them through this, wherever the
    // backend itself is installed.
    static QList<std::shared_ptr<VirtualDevice>> liveDevices();

    std::shared_ptr<VirtualDevice> add(std::shared_ptr<VirtualDevice> device);
    std::shared_ptr<VirtualDevice> find(const QByteArray &path) const;
    QList<std::shared_ptr<VirtualDevice>> devices() const;
    void remove(const QByteArray &path);

    QList<HidInterfaceInfo> enumerate(quint16 vendorId, quint16 productId) override;
    std::unique_ptr<HidDevice> open(const QByteArray &path) override;

private:
    mutable QMutex m_mutex;
    QList<std::shared_ptr<VirtualDevice>> m_devices;
};
