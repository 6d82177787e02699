#include "ui/keyboard_ui_types.h"

#include "ui/key_marks.h"
#include "ui/key_tints.h"
#include "ui/palette_picture.h"

#include <QQmlEngine>

void registerKeyboardUiTypes()
{
    static const bool registered = [] {
        qmlRegisterType<KeyTints>(kKeyboardUiUri, 1, 0, "KeyTints");
        qmlRegisterType<KeyMarks>(kKeyboardUiUri, 1, 0, "KeyMarks");
        qmlRegisterType<PalettePicture>(kKeyboardUiUri, 1, 0, "PalettePicture");
        return true;
    }();
    Q_UNUSED(registered);
}
