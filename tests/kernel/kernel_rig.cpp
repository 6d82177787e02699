#include "kernel_rig.h"

#include "device/virtual/virtual_environment.h"
#include "platform/hid/hid_backend.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <hidapi/hidapi.h>

namespace {
constexpr int kPlugTimeoutMs = 10000;
constexpr quint16 kGenericDesktop = 0x01, kKeyboardUsage = 0x06;
}

bool insideTestVm() { return qEnvironmentVariableIsSet("GEARCONSOLE_IN_VM") && QFile::exists("/dev/uhid"); }

QList<HidrawInterface> hidrawInterfaces(quint16 vid, quint16 pid)
{
    QList<HidrawInterface> found;
    hid_device_info *list = hid_enumerate(vid, pid);
    for (hid_device_info *it = list; it; it = it->next)
        found.append({QByteArray(it->path), it->usage_page, it->usage});
    hid_free_enumeration(list);
    return found;
}

bool waitForInterfaces(quint16 vid, quint16 pid, int count)
{
    const QDeadlineTimer deadline(kPlugTimeoutMs);
    while (hidrawInterfaces(vid, pid).size() != count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

QByteArray hidrawPath(quint16 vid, quint16 pid, quint16 usagePage, quint16 usage)
{
    for (const HidrawInterface &found : hidrawInterfaces(vid, pid))
        if (found.usagePage == usagePage && found.usage == usage)
            return found.path;
    return {};
}

QStringList wireOf(const QList<TraceLine> &lines)
{
    QStringList wire;
    for (const TraceLine &line : lines)
        wire.append(line.op + (line.op == QLatin1String("ENUM") ? QLatin1Char(' ') + line.path : QString())
                    + QLatin1Char(' ') + line.rest);
    return wire;
}

DeviceRig::DeviceRig(Backend chosen, const QList<QMap<QString, QString>> &table) : backend(chosen)
{
    if (!table.isEmpty())
        workspace.writeDeviceTable(table);
    trace = std::make_unique<WireTrace>(traceFolder.path());
    if (backend == Kernel)
        HidSeam::install(HidSeam::makeHidapiBackend());
    else
        virtualHid = &installVirtualBackend();
    device = std::make_unique<Hid_Thread>();
}

DeviceRig::~DeviceRig()
{
    device->pollRunning = false;
    device.reset();
    emulated.clear();
}

bool DeviceRig::plug(int index)
{
    const DeviceInfo &info = device->devices().at(index);
    const bool keyboard = info.isKeyboard();
    if (backend == Virtual) {
        addVirtualDevicesForEntry(*virtualHid, device->devices(), index);
        if (keyboard)
            virtualHid->add(std::make_shared<VirtualDevice>(
                VirtualDevice::Identity{"virtual:" + QByteArray::number(index) + ":keys", info.vid, info.pid,
                                        kGenericDesktop, kKeyboardUsage},
                std::make_unique<EchoModel>()));
        return true;
    }
    const int before = int(hidrawInterfaces(info.vid, info.pid).size());
    std::shared_ptr<EmulatedEntry> entry = emulateEntry(device->devices(), index);
    if (entry->command)
        entry->command->setAnswerTiming(answerTiming);
    emulated.insert(index, entry);
    const int added = 1 + (entry->secondary ? 1 : 0) + (entry->bootKeyboard ? 1 : 0);
    return entry->isCreated() && waitForInterfaces(info.vid, info.pid, before + added);
}

std::shared_ptr<VirtualDevice> DeviceRig::model(int index) const
{
    if (backend == Virtual)
        return virtualHid->find("virtual:" + QByteArray::number(index));
    return emulated.contains(index) ? emulated[index]->virtualDevice : nullptr;
}

QString DeviceRig::commandPath(int index) const
{
    if (backend == Virtual)
        return QStringLiteral("virtual:%1").arg(index);
    const DeviceInfo &info = device->devices().at(index);
    return QString::fromLatin1(hidrawPath(info.vid, info.pid, info.usagePage, info.usage));
}
