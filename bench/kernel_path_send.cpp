// Inside the kernel test VM (bench/kernel_path.sh): the key matrix and a
// burnlet programming run through hidapi, hidraw and the kernel's HID core to
// devices emulated through uhid, printed in the same form as the figures of
// the virtual backend (bench_key_matrix) and of the simulated boot loader
// (burnlet-bench).
#include "burnlet.h"
#include "device/hid_thread.h"
#include "key_matrix_timing.h"
#include "platform/hid/hid_backend.h"
#include "uhid/emulated_devices.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

#include <hidapi/hidapi.h>

#include <algorithm>
#include <vector>

namespace {

constexpr quint16 kBootLoaderVid = 0x04d9, kBootLoaderPid = 0x8022;

int interfaceCount(quint16 vid, quint16 pid)
{
    int count = 0;
    hid_device_info *list = hid_enumerate(vid, pid);
    for (hid_device_info *it = list; it; it = it->next)
        ++count;
    hid_free_enumeration(list);
    return count;
}

bool waitForInterfaces(quint16 vid, quint16 pid, int count)
{
    const QDeadlineTimer deadline(10000);
    while (interfaceCount(vid, pid) < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

bool keyMatrixFigure(QTextStream &out)
{
    HidSeam::install(HidSeam::makeHidapiBackend());
    Hid_Thread device;
    const QList<DeviceInfo> &table = device.devices();
    const auto keyboard = std::find_if(table.begin(), table.end(), [](const DeviceInfo &d) { return d.type == 0; });
    if (keyboard == table.end()) {
        out << "kernel path: no keyboard in the device table\n";
        return false;
    }
    const int index = int(keyboard - table.begin());
    std::unique_ptr<EmulatedEntry> entry = emulateEntry(table, index);
    const int interfaces = 1 + (entry->secondary ? 1 : 0) + (entry->bootKeyboard ? 1 : 0);
    if (!entry->isCreated() || !waitForInterfaces(keyboard->vid, keyboard->pid, interfaces)) {
        out << "kernel path: the emulated keyboard did not appear\n";
        return false;
    }
    device.detectDevices();

    out << QStringLiteral("key matrix (512 bytes) through hidraw to a uhid keyboard: ") << timeKeyMatrix(device, index)
        << '\n';
    out.flush();
    device.pollRunning = false;
    return true;
}

bool burnletFigure(QTextStream &out)
{
    EmulatedBootLoader loader;
    loader.model().behaviour.busyReadsAfterControlWrite = 0;  // as the simulator's figure: no device latency
    loader.model().downloadMode = true;
    if (!loader.device->isCreated() || !waitForInterfaces(kBootLoaderVid, kBootLoaderPid, 1)) {
        out << "kernel path: the emulated boot loader did not appear\n";
        return false;
    }
    if (const uint32_t result = ConnectToWriter(); result != BURNLET_OK) {
        out << "kernel path: burnlet found no boot loader (" << result << ")\n";
        return false;
    }
    // uhid queues at most 32 reports for the emulator and drops the rest
    // ("Output queue is full") without holding the writer back as a USB
    // endpoint would, so the image goes over in programs of 1 KiB (17 reports).
    constexpr uint16_t kImageBytes = 32 * 1024, kChunkBytes = 1024, kAddress = 0x4000;
    constexpr int kRounds = 3;
    std::vector<uint8_t> image(kImageBytes);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7 + 3);
    out << "burnlet: programming 32768 bytes in programs of 1024 through hidraw to a uhid boot loader, " << kRounds
        << " rounds each\n";
    for (uint16_t blockSize : {64, 1024}) {
        for (bool verify : {false, true}) {
            std::vector<double> times;
            for (int round = 0; round < kRounds; ++round) {
                QElapsedTimer clock;
                clock.start();
                for (uint16_t at = 0; at < kImageBytes; at += kChunkBytes) {
                    const int32_t result = Program(uint16_t(kAddress + at), kChunkBytes, image.data() + at, 0,
                                                   blockSize, 0, 50, verify, true);
                    if (result != BURNLET_OK) {
                        out << "kernel path: programming failed with " << result << "\n";
                        return false;
                    }
                }
                times.push_back(clock.nsecsElapsed() / 1e3 / (kImageBytes / 1024.0));
            }
            out << QStringLiteral("%1  %2  %3 us per KiB\n")
                       .arg(blockSize, 6)
                       .arg(verify ? QStringLiteral("program+verify") : QStringLiteral("program       "))
                       .arg(medianOf(times), 10, 'f', 2);
        }
    }
    DisConnectWriter();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(GEARCONSOLE_BINARY_DIR));
    QTextStream out(stdout);
    if (!QFileInfo::exists(QStringLiteral("/dev/uhid"))) {
        out << "kernel path: no /dev/uhid; run this through bench/kernel_path.sh\n";
        return 1;
    }
    const bool keys = keyMatrixFigure(out);
    const bool burn = burnletFigure(out);
    return keys && burn ? 0 : 1;
}
