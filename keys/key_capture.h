#pragma once
#include "platform/capture/capture_sink.h"
#include "platform/capture/capture_source.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class QCoreApplication;
class QObject;
struct CopyDataMessage;

// The capture unit: while a page of the UI listens (recording a macro, an
// armed key field, the insert-key dialog), sees every key press and release
// and every left, right and middle button press and release, turns keys into
// HID usage codes, drops auto-repeat, and hands the events to registered
// callbacks. While nothing listens its source selects no input at all. One
// object, created before the event loop and destroyed after it; the
// procedures, the callbacks, the key state table and the listening state are
// process-wide.
class KeyCapture : public CaptureSink
{
public:
    using KeyboardCallback = void (*)(quint8 code, bool isDown, void *context);
    using MouseCallback = void (*)(quint8 code, bool isDown, int x, int y, void *context);
    using MessageCallback = void (*)(const CopyDataMessage &payload, void *context);

    // Sets up: prepares the capture source (XInput2 on X11, the program's own
    // windows elsewhere) and logs once which one it is. Nothing is selected
    // until a page listens; on X11 nothing is even connected until then.
    KeyCapture();
    // Removes the capture.
    ~KeyCapture() override;

    // A capture source is in place (on X11 its connection is tried when a
    // page first listens).
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
    // Starts or stops the source. When listening stops the key state table is
    // cleared, so that a key held across the stop is a press when next seen.
    static void setListening(bool listening);
    static bool isListening();

    void keyEvent(uint8_t scanCode, bool extended, bool alt, bool isDown) override;
    void mouseEvent(int message, int x, int y) override;
    // Reports the release of every key still down, as the source will not
    // see them.
    void keysLost() override;

private:
    bool m_installed = false;
    std::unique_ptr<CaptureSource> m_source;
    std::unique_ptr<QObject> m_channel;
};
