#pragma once
#include "platform/capture/capture_sink.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class QCoreApplication;
class QObject;
struct CopyDataMessage;

// The capture unit: sees every key press and release and every left, right
// and middle button press and release, turns keys into HID usage codes,
// drops auto-repeat, and hands the events to registered callbacks. One
// object, created before the event loop and destroyed after it; the
// procedures, the callbacks and the key state table are process-wide.
class KeyCapture : public CaptureSink
{
public:
    using KeyboardCallback = void (*)(quint8 code, bool isDown, void *context);
    using MouseCallback = void (*)(quint8 code, bool isDown, int x, int y, void *context);
    using MessageCallback = void (*)(const CopyDataMessage &payload, void *context);

    // Sets up: installs the capture source (XInput2 on X11, the program's own
    // windows elsewhere) and logs once which one is active.
    KeyCapture();
    // Removes the capture.
    ~KeyCapture() override;

    bool isInstalled() const { return m_installed; }

    void setKeyboardCallback(KeyboardCallback callback, void *context);
    void setMouseCallback(MouseCallback callback, void *context);
    // Registers the message callback and opens the message channel on the
    // given name (beside the single-instance channel).
    void setMessageCallback(MessageCallback callback, QCoreApplication *application, void *context,
                            const QString &channelName);

    // The hook procedures, on the inputs a low-level hook sees.
    static void keyboardProcedure(unsigned scanCode, bool extended, bool alt, bool isDown);
    static void mouseProcedure(int message, int x, int y);
    // Forgets every key's state (tests only: the table lives for the process).
    static void resetKeyStates();

    void keyEvent(uint8_t scanCode, bool extended, bool alt, bool isDown) override;
    void mouseEvent(int message, int x, int y) override;

private:
    bool m_installed = false;
    std::unique_ptr<QObject> m_source;
    std::unique_ptr<QObject> m_channel;
};
