#include "app/hidden_start.h"
#include "app/widget.h"
#include "platform/logging.h"
#include "device/virtual/virtual_state.h"
#include "keys/key_capture.h"
#include "macros/encoding/macro_images_qml.h"
#include "platform/copy_data_channel.h"
#include "platform/data_folder.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "bridge/myqquickview.h"
#include "platform/wayland/seatless_text_input.h"
#include "render_backend.h"

#include <QApplication>
#include <QSessionManager>
#include <QDir>

int main(int argc, char *argv[])
{
    keepLargeBlocksOutOfThreadHeaps();
    chooseSceneGraphBackend();
    avoidSeatlessTextInput();  // before Qt connects to the compositor
    QApplication app(argc, argv);
    // The program lives in the tray: closing the window or a message box
    // while the window is hidden must not end it; only the tray's Quit does.
    app.setQuitOnLastWindowClosed(false);
    // Started at login: stay in the tray until the user asks for the window.
    const bool startHidden = app.arguments().contains(QStringLiteral("--hidden"));

    SingleInstance instance;
    if (instance.isRunning()) {
        // The login entry run while an instance is up (a second session)
        // leaves the running one as it is; any other start shows its window.
        if (!startHidden)
            instance.sendMessage(QString(), 5000);
        return 1;
    }

    // Every relative path of the program (./modules/, ./update/) resolves
    // beside the executable, or in the user's data folder when installed.
    QDir::setCurrent(DataFolder::workingFolderFor(QCoreApplication::applicationDirPath()));

    registerMacroImagesForQml();  // before the window loads the UI
    Widget window;
    QObject::connect(&instance, &SingleInstance::messageReceived, &window, &Widget::receiveMessage);

    // A logout, `systemctl --user stop` or a kill ends the program as Quit
    // does; the session manager's end of session writes the settings first.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window, &Widget::exitSYS);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.view()->writeStores(); });

    auto capture = std::make_unique<KeyCapture>();
    capture->setKeyboardCallback(&Widget::keyboardCaptured, &window);
    capture->setMouseCallback(&Widget::mouseCaptured, &window);
    capture->setMessageCallback(&Widget::messageCaptured, &app, &window, instance.socket().isEmpty() ? QString() : CopyDataChannel::serverName(instance.socket()));

    if (startHidden)
        stayHiddenInTray(window);
    else
        window.showNormal();
    reportFirstFrame(window);
    buildAfterFirstFrame(window);
    releaseStartupMemory(window);
    window.checkDevice();
    window.device().startPollingUSBVendorCmd();

    const int exitCode = app.exec();
    capture.reset();
    writeVirtualStateFromEnvironment();
    return exitCode;
}
