#include "ui/painter_render_node.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGRendererInterface>

void PainterRenderNode::render(const RenderState *state)
{
    auto *painter = static_cast<QPainter *>(
        m_window->rendererInterface()->getResource(m_window, QSGRendererInterface::PainterResource));
    if (!painter)
        return;
    const QRegion *clip = state->clipRegion();
    if (clip && clip->isEmpty())
        return;  // clipped away whole
    if (clip)
        painter->setClipRegion(*clip, Qt::ReplaceClip);  // before the transform
    painter->setTransform(matrix()->toTransform());
    painter->setOpacity(inheritedOpacity());
    paint(painter);
}
