// Hid_Thread: the vendor-report poll on a pool thread.
#include "hid_thread.h"

#include "platform/hid/hid_backend.h"
#include "platform/logging.h"

#include <QtConcurrent/QtConcurrentRun>

namespace {
constexpr int kPolledDevice = 5;
constexpr int kVendorReportTimeoutMs = 400;
constexpr int kVendorReportLength = 4;
// Without an interface to read, a cycle would end at once: pause instead of
// burning a processor. The lock is awaited in short sleeps for the same reason.
constexpr int kIdleCycleMs = 100;
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
    QThread::msleep(500);
}

void Hid_Thread::pollVendorReports()
{
    while (pollRunning) {
        while (deviceLock.exchange(true))
            QThread::msleep(kLockRetryMs);

        bool didRead = false;
        if (HidDevice *device = openPollDevice(kPolledDevice)) {
            uchar report[kVendorReportLength + 1] = {};
            const int got = device->readTimeout(report, sizeof report, kVendorReportTimeoutMs);
            if (got == kVendorReportLength)
                supportData = report[1];
            pollHandle.reset();
            didRead = true;
        }
        deviceLock = false;

        if (!didRead && pollRunning)
            QThread::msleep(kIdleCycleMs);
    }
}

QVariant Hid_Thread::getSupportData() { return QVariant(int(supportData.load())); }

void Hid_Thread::setSupportData(QVariant value) { supportData = quint8(value.toUInt()); }
