#pragma once
#include <QByteArray>

// Report descriptors of the emulated interfaces. None numbers its reports:
// each report crosses hidraw with the report-ID byte 0 first.

// One vendor-defined application collection on `usagePage`/`usage` with an
// input, an output and a feature report of the given data lengths (0: none).
QByteArray vendorDescriptor(quint16 usagePage, quint16 usage, int inputBytes, int outputBytes, int featureBytes);

// The standard boot keyboard: modifiers, reserved byte, six key codes, and
// the five LEDs as output.
QByteArray bootKeyboardDescriptor();
