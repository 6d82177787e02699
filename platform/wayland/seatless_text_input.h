#pragma once

// Qt 6.4's Wayland platform creates its text-input context whenever the
// compositor offers a text-input protocol, and that context reaches the
// protocol through the seat's input device. A compositor that offers the
// protocol but no wl_seat at all (weston's headless backend, a kiosk without
// input devices) leaves Qt with no input device, and the first text field
// that asks for the input direction dereferences it: SIGSEGV while the main
// screen is built. A session with a seat, even one without a keyboard, has
// the input device and is not affected.
//
// Called before the application object exists: when Qt is going to use its
// Wayland platform, the user has not chosen an input method (QT_IM_MODULE),
// and the compositor lists no wl_seat, the compose input context (dead keys,
// part of Qt's GUI library) is chosen instead, which needs no seat. Returns
// whether it did; one log line says why.
bool avoidSeatlessTextInput();

