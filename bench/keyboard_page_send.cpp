// Applies a whole keyboard page to a virtual keyboard through the bridge
// (key matrix, five macros, lighting effect, stage colours, one picture) and
// prints the total time, the mandatory pauses inside it and the overhead.
#include "bridge/myqquickview.h"
#include "device/hid_thread.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(GEARCONSOLE_BINARY_DIR));

    // The program's own switch puts a virtual keyboard in place of hardware.
    qputenv("GEARCONSOLE_VIRTUAL_DEVICES", "0");
    Hid_Thread device;
    device.detectDevices();
    myQQuickView view;
    view.device = &device;

    QVariantList keys, macro, picture;
    for (int i = 0; i < 504; ++i)
        keys << (i % 4 == 0 ? 2 : i % 251);
    for (int i = 0; i < 120; ++i)
        macro << (i * 7) % 256;
    for (int i = 0; i < 128; ++i)
        picture << (i % 3);

    // Key matrix and colours and picture: two pauses each; five macros: two
    // each; the lighting effect: one.
    constexpr double kPausesMs = 128.0 * (2 + 5 * 2 + 1 + 2 + 2);
    QElapsedTimer clock;
    clock.start();
    view.keyboardSetKeyMatrix(keys, 1);
    for (uchar slot = 0; slot < 5; ++slot)
        view.keyboardSendMacroData(macro, slot);
    view.keyboardSetRGBEffect(2, 218, 100, 0, 1, 255, 0, 0, 1);
    view.keyboardSetRGBColor(0, 255, 0, 0);
    view.keyboardSetPicture(0, picture);
    const double totalMs = clock.nsecsElapsed() / 1e6;

    QTextStream(stdout) << QStringLiteral("keyboard page to a virtual keyboard: %1 ms; mandatory pauses %2 ms; "
                                          "overhead %3 ms (%4 % of the pauses; limit 10 %)\n")
                               .arg(totalMs, 0, 'f', 1)
                               .arg(kPausesMs, 0, 'f', 0)
                               .arg(totalMs - kPausesMs, 0, 'f', 1)
                               .arg(100 * (totalMs - kPausesMs) / kPausesMs, 0, 'f', 2);
    return 0;
}
