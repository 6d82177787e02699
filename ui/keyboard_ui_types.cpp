#include "ui/keyboard_ui_types.h"

#include "ui/key_marks.h"
#include "ui/key_tints.h"

#include <QQmlEngine>

void registerKeyboardUiTypes()
{
    static const bool registered = [] {
        qmlRegisterType<KeyTints>(kKeyboardUiUri, 1, 0, "KeyTints");
        qmlRegisterType<KeyMarks>(kKeyboardUiUri, 1, 0, "KeyMarks");
        return true;
    }();
    Q_UNUSED(registered);
}
