#pragma once
#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// Device arrival and removal notifications. On Linux a libudev monitor on
// the hidraw subsystem stands in for the window's device-interface
// notifications: "add" is an arrival, "remove" a removal. Delivered on the
// GUI thread through a socket notifier.
class DeviceMonitor : public QObject
{
    Q_OBJECT

public:
    enum class Change { Arrival, Removal, Other };
    Q_ENUM(Change)

    explicit DeviceMonitor(QObject *parent = nullptr);
    ~DeviceMonitor() override;

    bool isListening() const { return m_notifier != nullptr; }

    // Lets tests deliver a notification as if it came from the system.
    void inject(Change change) { emit deviceChanged(change); }

signals:
    void deviceChanged(DeviceMonitor::Change change);

private:
    void readEvents();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};
