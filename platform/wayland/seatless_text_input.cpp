#include "seatless_text_input.h"

#include "platform/logging.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <wayland-client.h>

namespace {

void noteGlobal(void *data, wl_registry *, uint32_t, const char *interface, uint32_t)
{
    if (std::strcmp(interface, "wl_seat") == 0)
        *static_cast<bool *>(data) = true;
}

void ignoreRemoval(void *, wl_registry *, uint32_t) {}

const wl_registry_listener globalsListener = {noteGlobal, ignoreRemoval};

// Connects on its own (Qt has not connected yet), lists the globals once.
// Returns false when the compositor cannot be reached: Qt then reports that
// itself or falls back to another platform.
bool compositorListsSeat(bool &hasSeat)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &globalsListener, &hasSeat);
    const bool listed = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return listed;
}

bool qtWillUseWayland(const char *qpaPlatform, const char *sessionType)
{
    // QT_QPA_PLATFORM may list several platforms ("wayland;xcb"); Qt tries
    // them in order. Unset, Qt follows the session type.
    const QByteArray platform(qpaPlatform);
    if (!platform.isEmpty())
        return platform.startsWith("wayland");
    return QByteArray(sessionType) == "wayland";
}

} // namespace

bool avoidSeatlessTextInput()
{
    if (!qEnvironmentVariableIsEmpty("QT_IM_MODULE"))
        return false;  // the user's input method wins
    if (!qtWillUseWayland(qgetenv("QT_QPA_PLATFORM").constData(), qgetenv("XDG_SESSION_TYPE").constData()))
        return false;
    // A socket handed over by the compositor can be connected only once,
    // and that one is Qt's.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return false;

    bool hasSeat = false;
    if (!compositorListsSeat(hasSeat) || hasSeat)
        return false;
    qputenv("QT_IM_MODULE", "compose");
    qCInfo(lcPlatform) << "the Wayland compositor offers no seat: text input through the compose input context"
                          " (Qt's Wayland text input needs a seat)";
    return true;
}
