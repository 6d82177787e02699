#pragma once
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The macro images for the UI: the one place they are built. Registered as
// the singleton "MacroImages" of the QML module "Gearconsole.Macros" 1.0:
//
//   import Gearconsole.Macros 1.0
//   ui_View.keyboardSendMacroData(MacroImages.deCode(lines, repeat), index)
//   ui_View.mouseSendMacroData(MacroImages.deCodeMouse(lines, countText), index)
//
// `steps` is what stepsFromUi() takes: action lines as stored, or objects
// {key, action, delay}. `count` is a number or its text. `keyNames` is the
// UI's current key-name list when a language replaced the built-in names;
// leave it out otherwise. The result is the image as numbers 0..255.
class MacroImages : public QObject
{
    Q_OBJECT

public:
    explicit MacroImages(QObject *parent = nullptr);

    Q_INVOKABLE QVariantList deCode(const QVariantList &steps, const QVariant &count,
                                    const QStringList &keyNames = {}) const;
    Q_INVOKABLE QVariantList deCodeMouse(const QVariantList &steps, const QVariant &count,
                                         const QStringList &keyNames = {}) const;
};

inline constexpr const char *kMacroImagesUri = "Gearconsole.Macros";

// Makes "MacroImages" known to every QML engine of the process. Call once
// before the UI is loaded; later calls do nothing.
void registerMacroImagesForQml();
