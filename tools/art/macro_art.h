#pragma once
#include <QImage>
#include <QSize>
#include <QString>

// The macro editor's images: the action images of the action list and its
// buttons (normal, hover, selected), in the UI's colours.
namespace art {

enum class MacroLook { Normal, Hover, Selected };

// The size of a macro-editor image by its base name; invalid for other names.
QSize macroImageSize(const QString &base);
// Draws it; false for a name that is not one of the editor's.
bool drawMacroImage(QImage &image, const QString &base, MacroLook look);

} // namespace art
