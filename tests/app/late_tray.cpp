#include "late_tray.h"

#include <X11/Xlib.h>

LateTray::LateTray(const QString &displayName)
{
    Display *display = XOpenDisplay(displayName.toLatin1().constData());
    if (!display)
        return;
    const Window root = DefaultRootWindow(display);
    const Window owner = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom selection = XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False);
    XSetSelectionOwner(display, selection, owner, CurrentTime);
    XEvent manager{};
    manager.xclient.type = ClientMessage;
    manager.xclient.window = root;
    manager.xclient.message_type = XInternAtom(display, "MANAGER", False);
    manager.xclient.format = 32;
    manager.xclient.data.l[0] = CurrentTime;
    manager.xclient.data.l[1] = long(selection);
    manager.xclient.data.l[2] = long(owner);
    XSendEvent(display, root, False, StructureNotifyMask, &manager);
    XFlush(display);
    m_display = display;
}

LateTray::~LateTray()
{
    if (m_display)
        XCloseDisplay(static_cast<Display *>(m_display));
}
