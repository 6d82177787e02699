#include "ui/key_tints_nodes.h"

#include "ui/painter_render_node.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGRectangleNode>

namespace {

QRgb tintOf(const QVector<QRgb> &tints, int key) { return key >= 0 && key < tints.size() ? tints[key] : 0; }

class PainterTintsNode : public PainterRenderNode, public KeyTintsNode
{
public:
    using PainterRenderNode::PainterRenderNode;

    void setPatches(const QVector<KeyTints::Patch> &patches, const QRectF &bounds) override
    {
        m_patches = patches;
        setBounds(bounds);
        markDirty(DirtyMaterial);
    }
    void setTints(const QVector<QRgb> &tints) override
    {
        m_tints = tints;
        markDirty(DirtyMaterial);
    }

protected:
    void paint(QPainter *painter) override
    {
        for (const KeyTints::Patch &patch : std::as_const(m_patches)) {
            const QRgb tint = tintOf(m_tints, patch.key);
            if (qAlpha(tint) != 0)
                painter->fillRect(patch.area, QColor::fromRgba(tint));
        }
    }

private:
    QVector<KeyTints::Patch> m_patches;
    QVector<QRgb> m_tints;
};

class RectangleTintsNode : public QSGNode, public KeyTintsNode
{
public:
    explicit RectangleTintsNode(QQuickWindow *window) : m_window(window) {}

    void setPatches(const QVector<KeyTints::Patch> &patches, const QRectF &) override
    {
        removeAllChildNodes();
        qDeleteAll(m_rectangles);
        m_rectangles.clear();
        m_keys.clear();
        for (const KeyTints::Patch &patch : patches) {
            QSGRectangleNode *rectangle = m_window->createRectangleNode();
            rectangle->setRect(patch.area);
            rectangle->setColor(Qt::transparent);
            appendChildNode(rectangle);
            m_rectangles.append(rectangle);
            m_keys.append(patch.key);
        }
    }
    void setTints(const QVector<QRgb> &tints) override
    {
        for (int i = 0; i < m_rectangles.size(); ++i)
            m_rectangles[i]->setColor(QColor::fromRgba(tintOf(tints, m_keys[i])));
    }
    ~RectangleTintsNode() override
    {
        removeAllChildNodes();
        qDeleteAll(m_rectangles);
    }

private:
    QQuickWindow *m_window;
    QVector<QSGRectangleNode *> m_rectangles;
    QVector<int> m_keys;
};

} // namespace

QSGNode *newPainterTintsNode(QQuickWindow *window) { return new PainterTintsNode(window); }
QSGNode *newRectangleTintsNode(QQuickWindow *window) { return new RectangleTintsNode(window); }
