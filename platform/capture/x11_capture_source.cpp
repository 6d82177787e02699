#include "x11_capture_source.h"

#include "platform/logging.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {
constexpr int kEvdevOffset = 8;  // X keycodes are evdev codes + 8
}

X11CaptureSource::X11CaptureSource(CaptureSink &sink, QObject *parent) : QObject(parent), m_sink(sink) {}

X11CaptureSource::~X11CaptureSource()
{
    delete m_notifier;
    if (m_display)
        XCloseDisplay(m_display);
}

bool X11CaptureSource::start()
{
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
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    XISetMask(mask, XI_RawButtonPress);
    XISetMask(mask, XI_RawButtonRelease);
    XIEventMask eventMask{XIAllMasterDevices, int(sizeof mask), mask};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &eventMask, 1);
    XFlush(m_display);

    m_notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11CaptureSource::readEvents);
    return true;
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
        switch (cookie->evtype) {
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
