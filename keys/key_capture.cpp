#include "key_capture.h"

#include "key_maps.h"
#include "platform/capture/window_capture_source.h"
#include "platform/capture/x11_capture_source.h"
#include "platform/copy_data_channel.h"
#include "platform/logging.h"

#include <QGuiApplication>

#include <array>

namespace {

KeyCapture::KeyboardCallback keyboardCallback = nullptr;
void *keyboardContext = nullptr;
KeyCapture::MouseCallback mouseCallback = nullptr;
void *mouseContext = nullptr;
KeyCapture::MessageCallback messageCallback = nullptr;
void *messageContext = nullptr;

// Last reported state per usage code: 1 down, 0 up.
std::array<quint8, 256> keyStates{};

KeyCapture *instance = nullptr;
bool listening = false;

struct ButtonRow
{
    int message;
    quint8 code;
    bool isDown;
};
constexpr ButtonRow kButtons[] = {
    {CaptureSink::LeftDown, 0xF0, true},   {CaptureSink::LeftUp, 0xF0, false},
    {CaptureSink::RightDown, 0xF1, true},  {CaptureSink::RightUp, 0xF1, false},
    {CaptureSink::MiddleDown, 0xF2, true}, {CaptureSink::MiddleUp, 0xF2, false},
};

const char *upDown(bool isDown) { return isDown ? "down" : "up"; }

// What is typed is logged only when asked for by name.
bool logInput() { return debugAskedForByName(lcCapture()); }

} // namespace

KeyCapture::KeyCapture()
{
    instance = this;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // Connected when a page first listens: until then the program holds
        // no connection that could see the desktop's input (nor its memory).
        m_source = std::make_unique<X11CaptureSource>(*this);
        m_installed = true;
        qCInfo(lcCapture) << "capture source: XInput2 raw events on X11, connected when a page first listens";
        return;
    }
    m_source = std::make_unique<WindowCaptureSource>(*this);
    m_installed = true;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qCInfo(lcCapture) << "capture source: the program's own windows - a Wayland compositor gives a client"
                             " only the input meant for its own windows";
    else
        qCInfo(lcCapture) << "capture source: the program's own windows";
}

KeyCapture::~KeyCapture()
{
    instance = nullptr;
    listening = false;
}

void KeyCapture::setListening(bool on)
{
    if (on == listening)
        return;
    listening = on;
    if (!on)
        keyStates.fill(0);
    if (instance && instance->m_source)
        instance->m_source->setActive(on);
    qCInfo(lcCapture) << (on ? "capture on: a page listens" : "capture off: no page listens");
}

bool KeyCapture::isListening() { return listening; }

void KeyCapture::setKeyboardCallback(KeyboardCallback callback, void *context)
{
    keyboardCallback = callback;
    keyboardContext = context;
}

void KeyCapture::setMouseCallback(MouseCallback callback, void *context)
{
    mouseCallback = callback;
    mouseContext = context;
}

void KeyCapture::setMessageCallback(MessageCallback callback, QCoreApplication *, void *context, const QString &channelName)
{
    messageCallback = callback;
    messageContext = context;
    auto channel = std::make_unique<CopyDataChannel>();
    QObject::connect(channel.get(), &CopyDataChannel::messageReceived, [](const CopyDataMessage &message) {
        if (messageCallback)
            messageCallback(message, messageContext);
    });
    if (!channelName.isEmpty())
        channel->listen(channelName);
    m_channel = std::move(channel);
}

void KeyCapture::keyboardProcedure(unsigned scanCode, bool extended, bool alt, bool isDown)
{
    const int code = usageOfKeystroke(scanCode, extended, alt);
    if (code == 0)
        return;
    // Auto-repeat, or the release of a key pressed before capture began.
    if (keyStates[size_t(code)] == quint8(isDown))
        return;
    keyStates[size_t(code)] = quint8(isDown);
    if (!keyboardCallback)
        return;
    if (logInput())
        qCDebug(lcCapture, "key %02x %s", code, upDown(isDown));
    keyboardCallback(quint8(code), isDown, keyboardContext);
}

void KeyCapture::mouseProcedure(int message, int x, int y)
{
    for (const ButtonRow &row : kButtons) {
        if (row.message != message)
            continue;
        if (!mouseCallback)
            return;
        if (logInput())
            qCDebug(lcCapture, "button %02x %s %d %d", row.code, upDown(row.isDown), x, y);
        mouseCallback(row.code, row.isDown, x, y, mouseContext);
        return;
    }
}

void KeyCapture::resetKeyStates() { keyStates.fill(0); }

void KeyCapture::keyEvent(uint8_t scanCode, bool extended, bool alt, bool isDown)
{
    keyboardProcedure(scanCode, extended, alt, isDown);
}

void KeyCapture::mouseEvent(int message, int x, int y) { mouseProcedure(message, x, y); }

void KeyCapture::keysLost()
{
    for (size_t code = 0; code < keyStates.size(); ++code) {
        if (!keyStates[code])
            continue;
        keyStates[code] = 0;
        if (logInput())
            qCDebug(lcCapture, "key %02zx up (focus lost)", code);
        if (keyboardCallback)
            keyboardCallback(quint8(code), false, keyboardContext);
    }
}
