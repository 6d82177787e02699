// Sends a full key matrix to a virtual keyboard and prints how long it took
// and how much of that is the two mandatory 128 ms settle pauses.
#include "device/hid_thread.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString modules = QStringLiteral(GEARCONSOLE_BINARY_DIR "/modules");
    QDir::setCurrent(QFileInfo(modules).absolutePath());

    // The program's own switch puts a virtual keyboard in place of hardware.
    qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "0");
    Hid_Thread device;
    device.detectDevices();

    uchar matrix[512];
    for (int i = 0; i < 512; ++i)
        matrix[i] = uchar(i);
    constexpr int kRuns = 10;
    constexpr double kPausesMs = 2 * 128.0;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer clock;
        clock.start();
        device.hidSetKeyMatrix(0, matrix);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    const double median = (times[kRuns / 2 - 1] + times[kRuns / 2]) / 2;
    QTextStream(stdout) << QStringLiteral("key matrix (512 bytes, 8 reports of 65) to a virtual keyboard: %1 ms median of %2; "
                                          "mandatory pauses %3 ms; overhead %4 ms\n")
                               .arg(median, 0, 'f', 2)
                               .arg(kRuns)
                               .arg(kPausesMs, 0, 'f', 0)
                               .arg(median - kPausesMs, 0, 'f', 2);
    return 0;
}
