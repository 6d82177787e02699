#pragma once
#include "ui/key_tints.h"

class QQuickWindow;
class QSGNode;

// What KeyTints draws through: the patches with their keys' tints.
class KeyTintsNode
{
public:
    virtual ~KeyTintsNode() = default;
    virtual void setPatches(const QVector<KeyTints::Patch> &patches, const QRectF &bounds) = 0;
    virtual void setTints(const QVector<QRgb> &tints) = 0;
};

// Software renderer: one node that fills the patches with the scene's own
// painter, so a frame repaints one rectangle of the window and blends each
// tinted pixel once.
QSGNode *newPainterTintsNode(QQuickWindow *window);
// Any other renderer: a rectangle node per patch.
QSGNode *newRectangleTintsNode(QQuickWindow *window);
