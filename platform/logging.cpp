#include "logging.h"

Q_LOGGING_CATEGORY(lcShell, "gearconsole.shell")
Q_LOGGING_CATEGORY(lcHid, "gearconsole.hid")
Q_LOGGING_CATEGORY(lcBridge, "gearconsole.bridge")
Q_LOGGING_CATEGORY(lcPlatform, "gearconsole.platform")
Q_LOGGING_CATEGORY(lcCapture, "gearconsole.capture", QtInfoMsg)
