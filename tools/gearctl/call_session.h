#pragma once
#include <QMetaMethod>
#include <QString>

class SlotArguments;

// One call in the program's own set-up: working directory, the main window
// with the device object, the controller and the view with its stores, one
// detection pass; then the slot, the result line on stdout and the virtual
// device state. Needs the application object. Returns the exit code.
int runSlotCall(const QString &workingDirectory, const QString &objectName, const QMetaMethod &method,
                SlotArguments &arguments);
