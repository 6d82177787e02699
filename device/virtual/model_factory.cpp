#include "model_factory.h"

#include "headset_model.h"
#include "keyboard_model.h"
#include "lighting_accessory_model.h"
#include "mouse_model.h"
#include "mousepad_model.h"
#include "vendor_report_model.h"

namespace {

enum DeviceType { Keyboard = 0, Mouse = 1, Mousepad = 2, Headset = 3, LightingAccessory = 5 };

} // namespace

std::unique_ptr<DeviceModel> makeDeviceModel(const DeviceInfo &entry, int, bool secondary)
{
    const int reportLength = entry.reportLength;
    // The secondary interface exists for the vendor reports the program
    // polls, whatever kind of device carries it.
    if (secondary)
        return std::make_unique<VendorReportModel>();
    switch (entry.type) {
    case Keyboard:
        return std::make_unique<KeyboardModel>(reportLength);
    case Mouse:
        return std::make_unique<MouseModel>(reportLength);
    case Mousepad:
        return std::make_unique<MousepadModel>(reportLength);
    case Headset:
        return std::make_unique<HeadsetModel>(reportLength);
    case LightingAccessory:
        return std::make_unique<LightingAccessoryModel>(reportLength);
    default:
        return std::make_unique<EchoModel>();
    }
}
