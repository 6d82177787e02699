#pragma once
// The ids the keyboard has when its own firmware runs, so that the update can tell when it
// is back: the device-table entry of the edition (entries 0 to 4 are the editions, in the
// order of the updaters), read from the shipped table beside the update folder.
#include <QString>

#include <functional>
#include <optional>

struct KeyboardIds {
    quint16 vendorId = 0;
    quint16 productId = 0;
};

// The shipped device table for an updater in `updateFolder`: ../modules/ beside an
// unpacked build, else the installed data.
QString shippedDeviceTable(const QString &updateFolder);

std::optional<KeyboardIds> keyboardIdsFor(int edition, const QString &deviceTable);

// Whether a HID interface with these ids is connected; tests put their own here.
extern std::function<bool(const KeyboardIds &)> keyboardPresent;
