#pragma once
#include <QImage>
#include <QSize>
#include <QString>

// The window background, painted whole and cut into the small parts the
// window shows it from (modules/qml/basic/Environment.qml).
namespace art {

// The size of a window-background image by its base name; invalid for other names.
QSize windowBackgroundSize(const QString &base);
// Draws it; false for a name that is not one of the background's. Ends the
// program with an error should the parts not give the whole painting's pixels.
bool drawWindowBackground(QImage &image, const QString &base);

} // namespace art
