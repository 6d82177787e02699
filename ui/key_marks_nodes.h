#pragma once
#include <QColor>
#include <QRectF>
#include <QVector>

class QQuickWindow;
class QSGNode;

// What KeyMarks draws through: a border around each of the given places.
class KeyMarksNode
{
public:
    virtual ~KeyMarksNode() = default;
    // `bounds` holds every place's border, marked or not.
    virtual void setBorders(const QVector<QRectF> &places, const QColor &color, const QRectF &bounds) = 0;
};

// What the border of a place covers: from the place's corner, its size
// rounded up to whole pixels, as a Rectangle's node rounds it.
QRectF borderCover(const QRectF &place);

// Software renderer: one node that paints the borders with the scene's own
// painter, each part as the software renderer paints a Rectangle's border.
QSGNode *newPainterMarksNode(QQuickWindow *window);
// Any other renderer: rectangle nodes for the straight parts and the pixels
// of the rounded corners.
QSGNode *newRectangleMarksNode(QQuickWindow *window);
