// myQQuickView: stage colours and lighting of the mouse, the mousepad and
// the lighting accessory.
#include "myqquickview.h"

#include "device/hid_thread.h"
#include "device_indices.h"
#include "lighting_conversions.h"

namespace {

using DeviceIndex::kAccessory;
using DeviceIndex::kMousePad;

constexpr uchar kMouseStageColours[24] = {
    255, 0, 0, 0, 0, 255, 0, 255, 0, 255, 255, 0, 255, 0, 255, 0, 255, 255, 255, 128, 0, 255, 255, 255,
};

// Where mouseSetRGBEffect stages effect, direction, brightness and speed.
constexpr int kStagedEffectAt = 449;

} // namespace

void myQQuickView::mouseSetRGBColor(int is3336, uchar type, uchar colorR, uchar colorG, uchar colorB)
{
    uchar colours[24];
    LightingConversions::stageColours(kMouseStageColours, type, colorR, colorG, colorB, colours);
    device->hidARM_0CH_SetLED8StageColor(DeviceIndex::mouse(is3336), colours);
}

void myQQuickView::mouseSetRGBEffect(int, uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar,
                                     uchar lightDirection, uchar, uchar, uchar)
{
    const uchar staged[] = {lightEffect, lightDirection, lightBrightness, lightSpeed};
    std::copy_n(staged, 4, lightingStaging.begin() + kStagedEffectAt);
}

void myQQuickView::mousePadSetRGBEffect(uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar lightColorful,
                                        uchar lightDirection, uchar colorR, uchar colorG, uchar colorB)
{
    using namespace LightingConversions;
    device->hidmousePad_SetRGBLedEffect(kMousePad, mousePadMode(lightEffect), colourful(lightColorful),
                                        mousePadBrightness(lightBrightness), mousePadSpeed(lightSpeed), lightDirection,
                                        colorR, colorG, colorB);
}

void myQQuickView::supportSetRGBEffect(uchar lightEffect, uchar lightBrightness, uchar lightSpeed, uchar lightColorful,
                                       uchar lightDirection, uchar colorR, uchar colorG, uchar colorB)
{
    using namespace LightingConversions;
    device->hidsupport_SetRGBLedEffect(kAccessory, accessoryMode(lightEffect), colourful(lightColorful),
                                       accessoryLevel(lightBrightness), accessoryLevel(lightSpeed), lightDirection,
                                       colorR, colorG, colorB);
}
