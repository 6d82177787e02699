#pragma once
#include <QSGRenderNode>

class QPainter;
class QQuickWindow;

// A node for the software renderer that paints with the scene's own painter
// within its bounds: a change repaints one rectangle of the window, not an
// item (and a node) per part. The painter comes clipped to what is repainted,
// transformed to the item's coordinates and at the item's opacity.
class PainterRenderNode : public QSGRenderNode
{
public:
    explicit PainterRenderNode(QQuickWindow *window) : m_window(window) {}

    void render(const RenderState *state) final;
    StateFlags changedStates() const final { return {}; }
    RenderingFlags flags() const final { return BoundedRectRendering; }
    QRectF rect() const final { return m_bounds; }

protected:
    // What a repaint covers, in the item's coordinates.
    void setBounds(const QRectF &bounds) { m_bounds = bounds; }
    virtual void paint(QPainter *painter) = 0;

private:
    QQuickWindow *m_window;
    QRectF m_bounds;
};
