// myQQuickView: macro images to the devices' macro slots. The UI builds the
// images (MacroImages); these slots only turn the numbers into bytes.
#include "device/hid_thread.h"
#include "device_indices.h"
#include "macros/encoding/image_bytes.h"
#include "macros/encoding/keyboard_macro_image.h"
#include "macros/encoding/mouse_macro_image.h"
#include "myqquickview.h"

namespace {

constexpr int kKeyboardMacroSlots = 5;   // 0 to 4
constexpr int kMouseMacroSlots = 12;     // 0 to 11

uchar *bytesOf(QByteArray &buffer) { return reinterpret_cast<uchar *>(buffer.data()); }

} // namespace

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    const quint8 slot = imageByte(macroIndex, ByteConversion::Unsigned);
    if (slot >= kMouseMacroSlots || !device)
        return true;
    QByteArray buffer = imageBuffer(macroData, MouseMacroImage::kSize, ByteConversion::Signed);
    device->hid52352_05H_SetMacroKey(DeviceIndex::kMouse, slot, bytesOf(buffer));
    return true;
}

void myQQuickView::keyboardSetMacroAddr(QVariant addr)
{
    // The keyboard takes no macro address; the value is read and dropped.
    addr.toUInt();
}

QVariant myQQuickView::keyboardSendMacroData(QVariantList tmacroData, uchar macroIndex)
{
    if (macroIndex >= kKeyboardMacroSlots || !device)
        return true;
    QByteArray buffer = imageBuffer(tmacroData, KeyboardMacroImage::kSize, ByteConversion::Unsigned);
    device->hidSetMacroKey(DeviceIndex::kKeyboard, macroIndex, bytesOf(buffer));
    return true;
}
