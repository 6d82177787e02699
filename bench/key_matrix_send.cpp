// Sends a full key matrix to a virtual keyboard and prints how long it took
// and how much of that is the two mandatory 128 ms settle pauses.
#include "device/hid_thread.h"
#include "key_matrix_timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString modules = QStringLiteral(GEARCONSOLE_BINARY_DIR "/modules");
    QDir::setCurrent(QFileInfo(modules).absolutePath());

    // The program's own switch puts a virtual keyboard in place of hardware.
    qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "0");
    Hid_Thread device;
    device.detectDevices();

    QTextStream(stdout) << QStringLiteral("key matrix (512 bytes, 8 reports of 65) to a virtual keyboard: ")
                        << timeKeyMatrix(device, 0) << '\n';
    return 0;
}
