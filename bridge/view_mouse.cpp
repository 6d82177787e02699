// myQQuickView: the mouse's device slots: DPI stages, report rate, options,
// buttons and the 560 family's on-device profiles. The bridge's icType picks
// the command family: "560" the 560 commands, anything else the 553 ones.
#include "myqquickview.h"

#include "device/hid_thread.h"
#include "device_indices.h"

#include <algorithm>

namespace {

using DeviceIndex::kMouse;
using DeviceIndex::kProfileDevice;
constexpr int kDpiStages = 8;
constexpr int kButtonBlock = 64;
constexpr uint kHighDpiThreshold = 7200;
constexpr uchar kHighDpiFlag = 0x80;

// A DPI value as a stage byte: 100-DPI steps on the plain mouse; on the
// 3336 variant 50-DPI steps up to 7200 and 100-DPI steps with bit 7 above.
uchar stageByte(uint dpi, bool is3336)
{
    if (!is3336)
        return uchar(dpi / 100 - 1);
    return dpi > kHighDpiThreshold ? uchar((dpi / 100 - 1) | kHighDpiFlag) : uchar(dpi / 50 - 1);
}

// The 16 four-byte button entries: fixed entries 8, 14 and 15 around what
// the UI sends, each entry's bytes then reversed for the device.
void buildButtonBlock(const QVariantList &src, uchar block[kButtonBlock])
{
    std::fill_n(block, kButtonBlock, 0);
    const uchar entry14[] = {5, 1, 1}, entry15[] = {5, 2, 1}, entry8[] = {11, 1, 0, 0};
    std::copy_n(entry14, 3, block + 56);
    std::copy_n(entry15, 3, block + 60);
    for (int i = 0; i < kButtonBlock && i < src.size(); ++i)
        block[i] = uchar(src.at(i).toInt());
    std::copy_n(entry8, 4, block + 32);
    for (int entry = 0; entry < kButtonBlock; entry += 4)
        std::reverse(block + entry, block + entry + 4);
}

} // namespace

void myQQuickView::mouseSetDpi(int curDPI, QVariantList dpiSelectArray, QVariantList dpiValueArray, int is3336)
{
    uchar mask = 0;
    uchar stages[kDpiStages] = {};
    for (int i = 0; i < kDpiStages; ++i) {
        if (dpiSelectArray.value(i).toBool())
            mask |= uchar(1u << i);
        stages[i] = stageByte(dpiValueArray.value(i).toUInt(), is3336);
    }
    const int mouse = DeviceIndex::mouse(is3336);
    device->hidARM_08H_SetDPI(mouse, stages[4], stages[5], stages[6], stages[7], 0);
    device->hidARM_07H_SetDPI(mouse, uchar(curDPI), mask, stages[0], stages[1], stages[2], stages[3]);
}

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI)
{
    if (is560Family())
        device->hid560_04H_SetCurrentDPI(kMouse, currentDPI);
    else
        device->hid553_0BH_SetCurrentDPI(kMouse, currentDPI);
}

QVariant myQQuickView::mouseGetCurrentDPI()
{
    if (is560Family()) {
        uchar stage = 1, dpi = 0;
        device->hid560_84H_GetCurrentDPI(kMouse, stage, dpi);
        return int(dpi);
    }
    uchar stage = 0;
    device->hid553_8BH_GetCurrentDPI(kMouse, stage);
    return int(stage);
}

void myQQuickView::mouseSetReportRate(int is3336, uchar rate)
{
    // Rates 0..3 give 8, 4, 2, 1; larger ones shift everything out.
    device->hidARM_01H_SetReportRate(DeviceIndex::mouse(is3336), rate < 8 ? uchar(8 >> rate) : 0);
}

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    device->hid553_03H_SetKeyboardoption(kMouse, byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption()
{
    uchar byte1 = 0, byte2 = 0, byte3 = 0, byte4 = 0;
    device->hid553_83H_GetKeyboardoption(kProfileDevice, byte1, byte2, byte3, byte4);
    return {int(byte1), int(byte2), int(byte3), int(byte4)};
}

void myQQuickView::mouseSetKeyMatrix(int is3336, QVariantList src)
{
    uchar block[kButtonBlock];
    buildButtonBlock(src, block);
    device->hidARM_03H_SetKeyMatrix(DeviceIndex::mouse(is3336), block);
}

void myQQuickView::mouseResetKeyMatrix() {}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    if (is560Family())
        device->hid560_02H_SetCurrentProfile(kProfileDevice, uchar(indexNo));
    else
        device->hid553_02H_SetCurrentKeyMatrix(kProfileDevice, uchar(indexNo - 1));
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (profileNo >= uint(kMouseProfileImages))
        return;
    device->hid560_8CH_readProfile(reinterpret_cast<uchar *>(mouseProfileImages[profileNo].data()), uchar(profileNo));
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    if (profileNo >= uint(kMouseProfileImages))
        return;
    device->hid560_0CH_setProfile(kProfileDevice, reinterpret_cast<uchar *>(mouseProfileImages[profileNo].data()),
                                  uchar(profileNo));
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    uchar profile = 0;
    device->hid560_82H_GetCurrentProfile(kProfileDevice, profile);
    return int(profile);
}
