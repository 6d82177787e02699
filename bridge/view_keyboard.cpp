// myQQuickView: the keyboard page's device slots (key matrix, lighting,
// stage colours, pictures). Every command goes to device index 0.
#include "myqquickview.h"

#include "device/hid_thread.h"
#include "device_indices.h"
#include "keyboard_layout.h"
#include "lighting_conversions.h"

namespace {

using DeviceIndex::kKeyboard;
constexpr int kPictureBytes = 128;
constexpr uchar kPictureOn = 0xFF;

// Red, green, blue of stages 0 to 7.
constexpr uchar kKeyboardStageColours[24] = {
    255, 0, 0, 0, 255, 0, 255, 255, 0, 0, 0, 255, 0, 255, 255, 255, 0, 255, 255, 255, 255, 255, 255, 255,
};

// One key matrix for the whole program: positions a call does not write
// keep what an earlier call left there.
uchar keyMatrixBuffer[KeyboardLayout::kMatrixBytes] = {};

uchar lowByte(const QVariantList &list, int i) { return i < list.size() ? uchar(list.at(i).toUInt()) : 0; }

} // namespace

void myQQuickView::keyboardSetKeyMatrix(QVariantList src, uchar isSendData)
{
    const quint8 state = device->connectionState();
    for (int key = 0; key < KeyboardLayout::kUiKeys; ++key) {
        const int position = KeyboardLayout::matrixPosition(key, state);
        // A short list reads as zeros rather than past its end.
        for (int j = 0; j < 4; ++j)
            keyMatrixBuffer[4 * position + j] = lowByte(src, 4 * key + j);
    }
    if (isSendData)
        device->hidSetKeyMatrix(kKeyboard, keyMatrixBuffer);
}

void myQQuickView::keyboardSetCurrentProfile() {}

QVariant myQQuickView::keyboardSetPicture(int index, QVariantList pictureData)
{
    uchar map[kPictureBytes] = {};
    for (int k = 0; k < kPictureBytes && k < pictureData.size(); ++k)
        map[k] = uchar(pictureData.at(k).toUInt()) ? kPictureOn : 0;
    device->hidSetPicture(kKeyboard, uchar(index), map);
    return true;
}

void myQQuickView::keyboardSetRGBEffect(uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar, uchar lightDirection,
                                        uchar, uchar, uchar, uchar)
{
    using namespace LightingConversions;
    device->hidSetRGBLedEffect(kKeyboard, keyboardMode(lightEffect), 0, keyboardBrightness(lightBrightness),
                               keyboardSpeed(lightSpeed), lightDirection);
}

void myQQuickView::keyboardSetRGBColor(uchar type, uchar colorR, uchar colorG, uchar colorB)
{
    uchar colours[24];
    LightingConversions::stageColours(kKeyboardStageColours, type, colorR, colorG, colorB, colours);
    device->hid576_30H_SetLED8StageColor(kKeyboard, colours);
}
