#include "ui/palette_picture.h"

#include "platform/logging.h"
#include "ui/palette_blit.h"
#include "ui/painter_render_node.h"

#include <QPainter>
#include <QQmlFile>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGRendererInterface>

namespace {

// Software renderer: the picture blended straight into the window's image
// where the painter allows it, else drawn by the painter.
class PainterPictureNode : public PainterRenderNode
{
public:
    using PainterRenderNode::PainterRenderNode;

    void setImage(const QImage &image)
    {
        m_image = image;
        m_palette = image.format() == QImage::Format_Indexed8 ? PaletteBlit::premultiplied(image) : QVector<QRgb>();
        setBounds(QRectF(QPointF(0, 0), image.size()));
        markDirty(DirtyMaterial);
    }

protected:
    void paint(QPainter *painter) override
    {
        const QTransform transform = painter->transform();
        const QPoint at(qRound(transform.dx()), qRound(transform.dy()));
        QPaintDevice *device = painter->device();
        QImage *target = device && device->devType() == QInternal::Image ? static_cast<QImage *>(device) : nullptr;
        const bool direct = !m_palette.isEmpty() && target && target->isDetached() && PaletteBlit::canBlendInto(*target)
                            && transform.type() <= QTransform::TxTranslate && QPointF(at) == QPointF(transform.dx(), transform.dy())
                            && painter->opacity() >= 1.0 && painter->compositionMode() == QPainter::CompositionMode_SourceOver;
        if (!direct) {
            painter->setRenderHint(QPainter::SmoothPixmapTransform);  // as an Image draws
            painter->drawImage(QPointF(0, 0), m_image);
            return;
        }
        const QRegion area = painter->hasClipping() ? painter->clipRegion() : QRegion(m_image.rect());
        for (const QRect &rect : area.translated(at))
            PaletteBlit::blend(*target, at, m_image, m_palette, rect);
    }

private:
    QImage m_image;
    QVector<QRgb> m_palette;
};

} // namespace

PalettePicture::PalettePicture(QQuickItem *parent) : QQuickItem(parent) { setFlag(ItemHasContents); }

void PalettePicture::setSource(const QUrl &source)
{
    if (source == m_source)
        return;
    m_source = source;
    m_image = QImage();
    if (!source.isEmpty()) {
        m_image = QImage(QQmlFile::urlToLocalFileOrQrc(source));
        if (m_image.isNull())
            qCWarning(lcShell) << "picture" << source.toString() << "could not be read";
    }
    setImplicitSize(m_image.width(), m_image.height());
    m_imageChanged = true;
    update();
    emit sourceChanged();
}

QSGNode *PalettePicture::updatePaintNode(QSGNode *node, UpdatePaintNodeData *)
{
    if (m_image.isNull()) {
        delete node;
        return nullptr;
    }
    const bool software = window()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
    if (!node) {
        m_imageChanged = true;
        node = software ? static_cast<QSGNode *>(new PainterPictureNode(window())) : window()->createImageNode();
    }
    if (!m_imageChanged)
        return node;
    m_imageChanged = false;
    if (software) {
        static_cast<PainterPictureNode *>(node)->setImage(m_image);
    } else {
        // Other renderers upload the picture as a texture of their own.
        auto *image = static_cast<QSGImageNode *>(node);
        image->setTexture(window()->createTextureFromImage(m_image));
        image->setOwnsTexture(true);
        image->setRect(QRectF(QPointF(0, 0), m_image.size()));
    }
    return node;
}
