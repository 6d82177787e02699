#pragma once
// The key-matrix figure both benches print: a full 512-byte key matrix sent
// ten times to keyboard `index`, the median, and what lies beyond the two
// mandatory 128 ms settle pauses.
#include "device/hid_thread.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <vector>

inline double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// "<median> ms median of 10; mandatory pauses 256 ms; overhead <ms> ms".
inline QString timeKeyMatrix(Hid_Thread &device, int index)
{
    uchar matrix[512];
    for (int i = 0; i < 512; ++i)
        matrix[i] = uchar(i);
    constexpr int kRuns = 10;
    constexpr double kPausesMs = 2 * 128.0;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer clock;
        clock.start();
        device.hidSetKeyMatrix(index, matrix);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double ms = medianOf(times);
    return QStringLiteral("%1 ms median of %2; mandatory pauses %3 ms; overhead %4 ms")
        .arg(ms, 0, 'f', 2)
        .arg(kRuns)
        .arg(kPausesMs, 0, 'f', 0)
        .arg(ms - kPausesMs, 0, 'f', 2);
}
