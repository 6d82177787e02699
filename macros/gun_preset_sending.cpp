// Sending a gun preset to the mouse. Kept apart from the preset file, which
// is read without the device object (the fuzz targets link it alone).
#include "gun_presets.h"

#include "device/hid_thread.h"

namespace {
constexpr int kDeviceIndex = 0;
}

namespace GunData {

bool send(Hid_Thread &device, const QString &icType, int index, const QVariantList &values, QByteArray *images,
          int imageCount)
{
    if (values.size() < 3)
        return false;
    const quint8 first = lowByte(values.at(0)), second = lowByte(values.at(1)), third = lowByte(values.at(2));
    if (icType == QLatin1String("560")) {
        // Profile images exist for numbers 0 to 4; preset slot i uses i + 1.
        const int profile = index + 1;
        if (index < 0 || profile >= imageCount)
            return false;
        QByteArray &image = images[profile];
        if (!placeInProfileImage(image, first, second, third))
            return false;
        device.hid560_0CH_setProfile(kDeviceIndex, reinterpret_cast<uchar *>(image.data()), uchar(profile));
        return true;
    }
    // The option bytes start at 0, so a read that does not run leaves the
    // third value as it is.
    uchar option1 = 0, option2 = 0, option3 = 0, option4 = 0;
    device.hid553_83H_GetKeyboardoption(kDeviceIndex, option1, option2, option3, option4);
    device.hid553_04H_SetGunData(kDeviceIndex, first, second, thirdValueFor553(third, option3), uchar(index - 1));
    return true;
}

} // namespace GunData
