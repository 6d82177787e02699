#include "command_drivers.h"

#include "device/hid_thread.h"

QByteArray pattern(int length, int seed)
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = char(seed * 31 + i * 7);
    return bytes;
}

QList<int> KeyboardPage::apply(Hid_Thread &device) const
{
    // The commands take writable buffers; the page keeps its own.
    QByteArray m = matrix, k = macro, p = picture, c = colours;
    auto bytes = [](QByteArray &array) { return reinterpret_cast<uchar *>(array.data()); };
    device.hidSetKeyMatrix(0, bytes(m));
    device.hidSetMacroKey(0, 3, bytes(k));
    device.hidSetPicture(0, 4, bytes(p));
    device.hid576_30H_SetLED8StageColor(0, bytes(c));
    device.hidSetRGBLedEffect(0, 2, 0, 254, 3, 1);
    device.hid553_03H_SetKeyboardoption(0, 9, 8, 7, 6);
    device.hid553_02H_SetCurrentKeyMatrix(0, 2);
    uchar b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    device.hid553_83H_GetKeyboardoption(0, b1, b2, b3, b4);
    return {b1, b2, b3, b4};
}
