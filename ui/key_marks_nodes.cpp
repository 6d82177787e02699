#include "ui/key_marks_nodes.h"

#include "ui/painter_render_node.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QQuickWindow>
#include <QSGRectangleNode>

namespace {

// The corners' radius and the border's width.
constexpr int kRadius = 2;

// A border's parts in the place's coordinates, as the software renderer
// draws a Rectangle's border: four straight strips, and the four corners,
// each a quarter of a disc two radii wide (top left, top right, bottom left,
// bottom right).
struct Outline
{
    QRectF strips[4];
    QRectF corners[4];
};
constexpr QPoint kQuarters[4] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};

Outline outlineOf(const QRectF &place)
{
    const QSizeF size = borderCover(place).size();
    const qreal w = size.width(), h = size.height(), r = kRadius;
    return {{QRectF(QPointF(r, 0), QPointF(w - r, r)), QRectF(QPointF(r, h - r), QPointF(w - r, h)),
             QRectF(QPointF(0, r), QPointF(r, h - r)), QRectF(QPointF(w - r, r), QPointF(w, h - r))},
            {QRectF(0, 0, r, r), QRectF(w - r, 0, r, r), QRectF(0, h - r, r, r), QRectF(w - r, h - r, r, r)}};
}

// Smaller places would round their corners less; no key is that small.
bool bordered(const QRectF &place)
{
    const QSizeF size = borderCover(place).size();
    return size.width() >= 2 * kRadius && size.height() >= 2 * kRadius;
}

void paintDisc(QPaintDevice &device, const QColor &color)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0, 0, 2 * kRadius, 2 * kRadius), kRadius, kRadius);
}

class PainterMarksNode : public PainterRenderNode, public KeyMarksNode
{
public:
    using PainterRenderNode::PainterRenderNode;

    void setBorders(const QVector<QRectF> &places, const QColor &color, const QRectF &bounds) override
    {
        m_places = places;
        if (color != m_color)
            m_disc = QPixmap();
        m_color = color;
        setBounds(bounds);
        markDirty(DirtyMaterial);
    }

protected:
    void paint(QPainter *painter) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        if (m_disc.isNull() || m_disc.devicePixelRatio() != ratio)
            m_disc = discOf(ratio);
        const int quarter = qRound(kRadius * ratio);
        const QTransform item = painter->transform();
        painter->setRenderHint(QPainter::Antialiasing, false);
        for (const QRectF &place : std::as_const(m_places)) {
            if (!bordered(place))
                continue;
            painter->setTransform(QTransform::fromTranslate(place.x(), place.y()) * item);
            const Outline outline = outlineOf(place);
            for (const QRectF &strip : outline.strips)
                painter->fillRect(strip, m_color);
            for (int i = 0; i < 4; ++i)
                painter->drawPixmap(outline.corners[i], m_disc,
                                    QRectF(kQuarters[i] * quarter, QSizeF(quarter, quarter)));
        }
    }

private:
    QPixmap discOf(qreal ratio) const
    {
        QPixmap disc(qRound(2 * kRadius * ratio), qRound(2 * kRadius * ratio));
        disc.setDevicePixelRatio(ratio);
        disc.fill(Qt::transparent);
        paintDisc(disc, m_color);
        return disc;
    }

    QVector<QRectF> m_places;
    QColor m_color;
    QPixmap m_disc;
};

class RectangleMarksNode : public QSGNode, public KeyMarksNode
{
public:
    explicit RectangleMarksNode(QQuickWindow *window) : m_window(window) {}
    ~RectangleMarksNode() override { clear(); }

    void setBorders(const QVector<QRectF> &places, const QColor &color, const QRectF &) override
    {
        clear();
        QImage disc(2 * kRadius, 2 * kRadius, QImage::Format_ARGB32_Premultiplied);
        disc.fill(Qt::transparent);
        paintDisc(disc, color);
        for (const QRectF &place : places) {
            if (!bordered(place))
                continue;
            const Outline outline = outlineOf(place);
            for (const QRectF &strip : outline.strips)
                add(strip.translated(place.topLeft()), color);
            for (int i = 0; i < 4; ++i) {
                for (int y = 0; y < kRadius; ++y) {
                    for (int x = 0; x < kRadius; ++x) {
                        const QPoint pixel = kQuarters[i] * kRadius + QPoint(x, y);
                        const QRectF area(outline.corners[i].topLeft() + place.topLeft() + QPointF(x, y), QSizeF(1, 1));
                        add(area, QColor::fromRgba(qUnpremultiply(disc.pixel(pixel))));
                    }
                }
            }
        }
    }

private:
    void add(const QRectF &area, const QColor &color)
    {
        if (color.alpha() == 0)
            return;
        QSGRectangleNode *rectangle = m_window->createRectangleNode();
        rectangle->setRect(area);
        rectangle->setColor(color);
        appendChildNode(rectangle);
    }
    void clear()
    {
        while (QSGNode *child = firstChild()) {
            removeChildNode(child);
            delete child;
        }
    }

    QQuickWindow *m_window;
};

} // namespace

QRectF borderCover(const QRectF &place)
{
    return QRectF(place.topLeft(), QRectF(QPointF(), place.size()).toAlignedRect().size());
}

QSGNode *newPainterMarksNode(QQuickWindow *window) { return new PainterMarksNode(window); }
QSGNode *newRectangleMarksNode(QQuickWindow *window) { return new RectangleMarksNode(window); }
