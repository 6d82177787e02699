#pragma once
// Logging categories of the program. Every diagnostic goes to Qt's message
// output under one of these, so a user can switch areas on and off with
// QT_LOGGING_RULES (for example "gearconsole.hid.debug=false").
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcShell)     // gearconsole.shell
Q_DECLARE_LOGGING_CATEGORY(lcHid)       // gearconsole.hid
Q_DECLARE_LOGGING_CATEGORY(lcBridge)    // gearconsole.bridge
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)  // gearconsole.platform
Q_DECLARE_LOGGING_CATEGORY(lcCapture)   // gearconsole.capture (debug off unless asked for)

// True when the category's debug output is on and QT_LOGGING_RULES names
// the category itself ("gearconsole.capture.debug=true"): what is typed is
// logged only when asked for by name, never through a wildcard.
bool debugAskedForByName(const QLoggingCategory &category);
