// Detection's wait for deviceLock while the vendor-report poll reads the
// lighting accessory's secondary interface: repeated detections, each at a
// different point of the poll's 400 ms read, and the time each took to get
// the lock.
#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString modules = QStringLiteral(GEARCONSOLE_BINARY_DIR "/modules");
    QDir::setCurrent(QFileInfo(modules).absolutePath());
    const int runs = argc > 1 ? qMax(1, QString::fromLatin1(argv[1]).toInt()) : 15;

    // A keyboard and the accessory, whose secondary interface the poll reads.
    qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "0,5");
    Hid_Thread device;
    device.detectDevices();
    device.startPollingUSBVendorCmd();
    QThread::msleep(50);

    std::vector<double> waits;
    int timedOut = 0;
    for (int run = 0; run < runs; ++run) {
        // Spread the detections over the phases of the poll's read.
        QThread::msleep(ulong(run * 53 % 400));
        QElapsedTimer clock;
        clock.start();
        if (!device.lockForDetection())
            ++timedOut;
        waits.push_back(clock.nsecsElapsed() / 1e6);
        device.detectDevices();
        device.unlockAfterDetection();
    }
    device.pollRunning = false;

    std::sort(waits.begin(), waits.end());
    const double median = waits.size() % 2 ? waits[waits.size() / 2]
                                           : (waits[waits.size() / 2 - 1] + waits[waits.size() / 2]) / 2;
    QTextStream(stdout) << QStringLiteral("detection's wait for the device lock with the poll reading (virtual devices 0,5): "
                                          "median %1 ms, max %2 ms over %3 detections; %4 gave up after the %5 ms bound\n")
                               .arg(median, 0, 'f', 1)
                               .arg(waits.back(), 0, 'f', 1)
                               .arg(runs)
                               .arg(timedOut)
                               .arg(Hid_Thread::kDetectionLockTries * Hid_Thread::kDetectionLockSleepMs);
    return 0;
}
