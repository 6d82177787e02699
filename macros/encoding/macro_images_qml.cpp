#include "macros/encoding/macro_images_qml.h"

#include "macros/encoding/keyboard_macro_image.h"
#include "macros/encoding/mouse_macro_image.h"
#include "macros/encoding/ui_steps.h"

#include <QQmlEngine>

namespace {

QVariantList toVariants(const QList<int> &image)
{
    QVariantList list;
    list.reserve(image.size());
    for (int byte : image)
        list.append(byte);
    return list;
}

} // namespace

MacroImages::MacroImages(QObject *parent) : QObject(parent) {}

QVariantList MacroImages::deCode(const QVariantList &steps, const QVariant &count, const QStringList &keyNames) const
{
    return toVariants(keyboardMacroImage(stepsFromUi(steps, keyNames), integerFromUi(count)));
}

QVariantList MacroImages::deCodeMouse(const QVariantList &steps, const QVariant &count, const QStringList &keyNames) const
{
    return toVariants(mouseMacroImage(stepsFromUi(steps, keyNames), integerFromUi(count)));
}

void registerMacroImagesForQml()
{
    static const bool registered = [] {
        qmlRegisterSingletonType<MacroImages>(kMacroImagesUri, 1, 0, "MacroImages",
                                              [](QQmlEngine *, QJSEngine *) -> QObject * {
                                                  return new MacroImages;  // owned by the engine
                                              });
        return true;
    }();
    Q_UNUSED(registered);
}
