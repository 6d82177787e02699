// Hid_Thread: construction, the device table, detection and opening.
#include "hid_thread.h"

#include "device_table.h"
#include "platform/hid/hid_backend.h"
#include "platform/logging.h"
#include "platform/settings_guard.h"
#include "platform/store_files.h"
#include "virtual/virtual_environment.h"

namespace {
constexpr int kStateBits = 8;
} // namespace

Hid_Thread::Hid_Thread(QObject *parent) : QThread(parent)
{
    // The table lives in the global store's file, read here before the store
    // opens it; an unreadable file is put aside and its factory copy read.
    deviceList = readDeviceTable(setAsideIfUnreadable(StoreFiles::global(), StoreFiles::factoryGlobal()));
    supportData = 0;
    installVirtualDevicesFromEnvironment(deviceList);
}

Hid_Thread::~Hid_Thread()
{
    // The poll loop uses this object: it must have ended before we go.
    pollRunning = false;
    wakeIdlePoll();
    pollFuture.waitForFinished();
}

void Hid_Thread::detectDevices()
{
    connectState = 0;
    unansweredPath.clear();
    // A device that is gone keeps no path: the kernel hands its node to the
    // next device plugged in, which may be another one altogether.
    if (!deviceList.isEmpty())
        deviceList[0].path.clear();
    indexZeroEntry = 0;
    for (DeviceInfo &entry : deviceList)
        entry.path2.clear();
    HidBackend &hid = HidSeam::backend();
    for (int i = 0; i < deviceList.size(); ++i) {
        DeviceInfo &entry = deviceList[i];
        if (!entry.isIdentified())
            continue;  // refused (and logged) when the table was read
        const QList<HidInterfaceInfo> interfaces = hid.enumerate(entry.vid, entry.pid);
        for (const HidInterfaceInfo &found : interfaces) {
            if (found.usagePage == entry.usagePage && found.usage == entry.usage) {
                if (i < kStateBits)
                    connectState |= quint8(1u << i);
                // Every keyboard command addresses entry 0, whichever
                // edition answered (the last match wins), and goes out as
                // that edition's entry says (report length, scrambling).
                // Another kind of device plugged in beside the keyboard
                // (the lighting accessory) must not take its commands.
                if (entry.isKeyboard()) {
                    deviceList[0].path = QString::fromLatin1(found.path);
                    indexZeroEntry = i;
                }
            }
            if ((entry.usagePage2 || entry.usage2) && found.usagePage == entry.usagePage2
                && found.usage == entry.usage2)
                entry.path2 = QString::fromLatin1(found.path);
        }
    }
    handOverPollPath();
}

void Hid_Thread::setDevicePath(int did, const QString &path)
{
    if (!isKnown(did))
        return;
    deviceList[did].path = path;
    if (did == 0)
        indexZeroEntry = 0;
}

HidDevice *Hid_Thread::openDevice(int did)
{
    if (!isKnown(did) || deviceList[did].path.isEmpty())
        return nullptr;
    hidHandle.reset();
    hidHandle = HidSeam::backend().open(deviceList[did].path.toLatin1());
    if (!hidHandle) {
        // Unplugged, typically: one line, and no further tries until the
        // next detection.
        qCWarning(lcHid).noquote() << "device" << did << "cannot be opened at" << deviceList[did].path
                                   << "- not connected until detection finds it again";
        deviceList[did].path.clear();
        return nullptr;
    }
    hidHandle->setNonBlocking(false);
    return hidHandle.get();
}
