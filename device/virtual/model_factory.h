#pragma once
#include "device/device_info.h"
#include "device_model.h"

#include <memory>

// The model of a virtual device for one device-table entry, chosen by the
// entry's type: 0 keyboard, 1 mouse, 2 mousepad, 3 headset, 5 lighting
// accessory. `secondary` asks for the model of the entry's secondary
// (vendor-report) interface.
std::unique_ptr<DeviceModel> makeDeviceModel(const DeviceInfo &entry, int index, bool secondary);
