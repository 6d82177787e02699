// Hid_Thread: the vendor-report poll on a pool thread, and the lock it
// shares with detection.
#include "hid_thread.h"

#include "platform/hid/hid_backend.h"
#include "platform/logging.h"

#include <QtConcurrent/QtConcurrentRun>

namespace {
constexpr int kPolledDevice = 5;
constexpr int kVendorReportTimeoutMs = 400;
constexpr int kVendorReportLength = 4;
// The lock is awaited in short sleeps rather than spinning.
constexpr int kLockRetryMs = 2;
} // namespace

void Hid_Thread::startPollingUSBVendorCmd()
{
    qCDebug(lcHid) << "startPollingUSBVendorCmd";
    pollFuture = QtConcurrent::run([this] { pollVendorReports(); });
}

void Hid_Thread::stopPollingUSBVendorCmd()
{
    qCDebug(lcHid) << "stopPollingUSBVendorCmd";
    pollRunning = false;
    wakeIdlePoll();
    QThread::msleep(500);
}

void Hid_Thread::wakeIdlePoll()
{
    QMutexLocker lock(&pollPathMutex);
    pollPathGiven.wakeAll();
}

// Without an interface to read, a cycle would end at once and the loop would
// spin; sleeping until detection hands over a path (or the poll ends) keeps a
// program that sits in the tray all day at no processor cost at all.
void Hid_Thread::waitForPollPath()
{
    QMutexLocker lock(&pollPathMutex);
    while (pollRunning && pollPath.isEmpty())
        pollPathGiven.wait(&pollPathMutex);
}

bool Hid_Thread::takeLockForPoll()
{
    // Detection asking for the lock goes first: otherwise the loop would take
    // it back the moment it let go, and detection's 8 ms probes would
    // practically never find it free.
    while (pollRunning) {
        if (!detectionWaiting && !deviceLock.exchange(true))
            return true;
        QThread::msleep(kLockRetryMs);
    }
    return false;
}

void Hid_Thread::handOverPollPath()
{
    const QString path = isKnown(kPolledDevice) ? deviceList[kPolledDevice].path2 : QString();
    QMutexLocker lock(&pollPathMutex);
    pollPath = path;
    pollPathGiven.wakeAll();
}

HidDevice *Hid_Thread::openPollDevice()
{
    QString path;
    {
        QMutexLocker lock(&pollPathMutex);
        path = pollPath;
    }
    if (path.isEmpty())
        return nullptr;
    pollHandle.reset();
    pollHandle = HidSeam::backend().open(path.toLatin1());
    if (!pollHandle) {
        qCInfo(lcHid) << "vendor reports: cannot open" << path << "- not read until detection finds it again";
        QMutexLocker lock(&pollPathMutex);
        // A detection meanwhile may have handed over a path that works.
        if (pollPath == path)
            pollPath.clear();
        return nullptr;
    }
    pollHandle->setNonBlocking(false);
    return pollHandle.get();
}

void Hid_Thread::pollVendorReports()
{
    while (takeLockForPoll()) {
        bool didRead = false;
        if (HidDevice *device = openPollDevice()) {
            uchar report[kVendorReportLength + 1] = {};
            const int got = device->readTimeout(report, sizeof report, kVendorReportTimeoutMs);
            if (got == kVendorReportLength)
                supportData = report[1];
            pollHandle.reset();
            didRead = true;
        }
        deviceLock = false;

        if (!didRead)
            waitForPollPath();
    }
}

bool Hid_Thread::lockForDetection()
{
    detectionWaiting = true;
    bool freed = false;
    for (int i = 0; i < kDetectionLockTries; ++i) {
        if (!deviceLock.exchange(true)) {
            freed = true;
            break;
        }
        QThread::msleep(kDetectionLockSleepMs);
    }
    // A poll stuck past the bound: detection runs all the same (the paths
    // it writes are not the poll's, which works from its own copy).
    deviceLock = true;
    detectionWaiting = false;
    return freed;
}

void Hid_Thread::unlockAfterDetection() { deviceLock = false; }

QVariant Hid_Thread::getSupportData() { return QVariant(int(supportData.load())); }

void Hid_Thread::setSupportData(QVariant value) { supportData = quint8(value.toUInt()); }
