#include "x11_capture_source.h"

#include "platform/logging.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/record.h>

#include <cstring>

namespace {
constexpr int kEvdevOffset = 8;  // X keycodes are evdev codes + 8

// A recorded device event is the wire form of a core input event: type,
// detail (the button), sequence, time, root, event and child windows, then
// the position on the root window.
constexpr int kRecordedRootX = 20;
constexpr int kRecordedRootY = 22;

qint16 int16At(const unsigned char *bytes)
{
    qint16 value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void recorded(char *closure, XRecordInterceptData *data)
{
    if (data->category == XRecordFromServer && data->data_len * 4 >= sz_xEvent)
        reinterpret_cast<X11CaptureSource *>(closure)->buttonRecorded(data->data);
    XRecordFreeData(data);
}
} // namespace

X11CaptureSource::X11CaptureSource(CaptureSink &sink, QObject *parent) : CaptureSource(parent), m_sink(sink) {}

X11CaptureSource::~X11CaptureSource()
{
    stopRecordingButtons();
    delete m_notifier;
    if (m_display)
        XCloseDisplay(m_display);
}

bool X11CaptureSource::start()
{
    if (m_display)
        return true;
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    // Under XInput 2.0 the server withholds raw events while any client
    // holds a grab, even the automatic one of a click on a window, so
    // releases would be lost; from 2.1 on they are always delivered. The
    // server answers with the highest version both sides know.
    int event = 0, error = 0, major = 2, minor = 2;
    if (!XQueryExtension(m_display, "XInputExtension", &m_xiOpcode, &event, &error)
        || XIQueryVersion(m_display, &major, &minor) != Success) {
        XCloseDisplay(m_display);
        m_display = nullptr;
        return false;
    }
    if (major == 2 && minor < 2)
        qCInfo(lcCapture).nospace() << "X server offers XInput " << major << "." << minor << " only"
                                    << (minor == 0 ? ": releases during another program's grab are missed" : "");
    int recordMajor = 0, recordMinor = 0;
    m_hasRecord = XRecordQueryVersion(m_display, &recordMajor, &recordMinor);
    if (!m_hasRecord)
        qCInfo(lcCapture) << "X server lacks RECORD: a button's position is the pointer's when the event is read";

    m_notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11CaptureSource::readEvents);
    return true;
}

void X11CaptureSource::setActive(bool active)
{
    if (active && !m_display && !m_startTried) {
        m_startTried = true;
        // Once: a server without XInput 2 leaves capture off for the run.
        if (!start())
            qCWarning(lcCapture) << "capture off for the run: no X server with XInput 2 to connect to";
    }
    if (!m_display || active == m_active)
        return;
    m_active = active;
    if (active && m_hasRecord && !startRecordingButtons()) {
        qCInfo(lcCapture) << "RECORD refused a context: a button's position is the pointer's when the event is read";
        m_hasRecord = false;
    }
    if (!active)
        stopRecordingButtons();
    selectRawEvents(active);
    XSync(m_display, False);
    // Whatever was already on its way is read and dropped now.
    readEvents();
}

void X11CaptureSource::selectRawEvents(bool active)
{
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (active) {
        XISetMask(mask, XI_RawKeyPress);
        XISetMask(mask, XI_RawKeyRelease);
        if (!m_hasRecord) {
            XISetMask(mask, XI_RawButtonPress);
            XISetMask(mask, XI_RawButtonRelease);
        }
    }
    XIEventMask eventMask{XIAllMasterDevices, int(sizeof mask), mask};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &eventMask, 1);
}

void X11CaptureSource::readEvents()
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_xiOpcode || !XGetEventData(m_display, cookie))
            continue;
        const auto *raw = static_cast<const XIRawEvent *>(cookie->data);
        switch (m_active ? cookie->evtype : 0) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            m_translation.key(raw->detail - kEvdevOffset, cookie->evtype == XI_RawKeyPress, m_sink);
            break;
        case XI_RawButtonPress:
        case XI_RawButtonRelease: {
            Window root, child;
            int rootX = 0, rootY = 0, winX = 0, winY = 0;
            unsigned int buttons = 0;
            XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &winX, &winY, &buttons);
            KeyTranslation::button(raw->detail, cookie->evtype == XI_RawButtonPress, rootX, rootY, m_sink);
            break;
        }
        default:
            break;
        }
        XFreeEventData(m_display, cookie);
    }
}

bool X11CaptureSource::startRecordingButtons()
{
    XRecordRange *range = XRecordAllocRange();
    if (!range)
        return false;
    range->device_events.first = ButtonPress;
    range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    m_recordContext = XRecordCreateContext(m_display, 0, &clients, 1, &range, 1);
    XFree(range);
    if (!m_recordContext)
        return false;
    // The context must exist on the server before the data connection
    // enables it.
    XSync(m_display, False);
    m_recordDisplay = XOpenDisplay(DisplayString(m_display));
    if (!m_recordDisplay
        || !XRecordEnableContextAsync(m_recordDisplay, m_recordContext, &recorded,
                                      reinterpret_cast<char *>(this))) {
        stopRecordingButtons();
        return false;
    }
    m_recordNotifier = new QSocketNotifier(ConnectionNumber(m_recordDisplay), QSocketNotifier::Read, this);
    connect(m_recordNotifier, &QSocketNotifier::activated, this, &X11CaptureSource::readRecordedButtons);
    return true;
}

void X11CaptureSource::stopRecordingButtons()
{
    delete m_recordNotifier;
    m_recordNotifier = nullptr;
    if (m_recordContext) {
        XRecordDisableContext(m_display, m_recordContext);
        XRecordFreeContext(m_display, m_recordContext);
        XSync(m_display, False);
        m_recordContext = 0;
    }
    // Closing reads what the server still sent; inactive, it is dropped.
    if (m_recordDisplay)
        XCloseDisplay(m_recordDisplay);
    m_recordDisplay = nullptr;
}

void X11CaptureSource::readRecordedButtons()
{
    if (m_recordDisplay)
        XRecordProcessReplies(m_recordDisplay);
}

void X11CaptureSource::buttonRecorded(const unsigned char *event)
{
    const int type = event[0] & 0x7f;
    if (!m_active || (type != ButtonPress && type != ButtonRelease))
        return;
    KeyTranslation::button(event[1], type == ButtonPress, int16At(event + kRecordedRootX),
                           int16At(event + kRecordedRootY), m_sink);
}
