#include "device_monitor.h"

#include "logging.h"

#include <QSocketNotifier>
#include <libudev.h>

DeviceMonitor::DeviceMonitor(QObject *parent) : QObject(parent)
{
    m_udev = udev_new();
    if (m_udev)
        m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0) {
        qCWarning(lcPlatform) << "no device-change notifications: the udev monitor is not available";
        return;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DeviceMonitor::readEvents);
}

DeviceMonitor::~DeviceMonitor()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void DeviceMonitor::readEvents()
{
    while (udev_device *device = udev_monitor_receive_device(m_monitor)) {
        const QByteArray action = udev_device_get_action(device);
        udev_device_unref(device);
        if (action == "add")
            emit deviceChanged(Change::Arrival);
        else if (action == "remove")
            emit deviceChanged(Change::Removal);
        else
            emit deviceChanged(Change::Other);
    }
}
