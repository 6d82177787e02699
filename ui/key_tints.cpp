#include "ui/key_tints.h"

#include "ui/key_tints_nodes.h"
#include "ui/key_place_fields.h"

#include <QColor>
#include <QQuickWindow>
#include <QSGRendererInterface>

using namespace KeyPlace;

namespace {

int field(const QVariantList &place, int index) { return qRound(place.value(index).toDouble()); }

// What a frame repaints: the keys, not the picture's edges.
QRectF areaOf(const QVector<KeyTints::Patch> &patches)
{
    QRect area;
    for (const KeyTints::Patch &patch : patches)
        area |= patch.area;
    return area;
}

QRgb rgbaOf(const QVariant &value)
{
    const QColor colour = value.value<QColor>();
    return colour.isValid() ? colour.rgba() : 0;
}

} // namespace

KeyTints::KeyTints(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

void KeyTints::setPlaces(const QVariantList &places)
{
    m_placeList = places;
    m_patches.clear();
    for (const QVariant &value : places) {
        const QVariantList place = value.toList();
        if (place.size() <= Height)
            continue;
        const int key = field(place, Key);
        const QRect body(field(place, X), field(place, Y), field(place, Width), field(place, Height));
        m_patches.append({key, body});
        if (place.size() >= FieldsWithEar)
            m_patches.append({key, QRect(body.left() - field(place, EarWidth), body.top(),
                                         field(place, EarWidth), field(place, EarHeight))});
    }
    m_patchesChanged = true;
    emit placesChanged();
    update();
}

void KeyTints::setTints(const QVariantList &tints)
{
    QVector<QRgb> next;
    next.reserve(tints.size());
    for (const QVariant &tint : tints)
        next.append(rgbaOf(tint));
    m_tintList = tints;
    emit tintsChanged();
    if (next == m_tints)
        return;
    m_tints = next;
    update();
}

QColor KeyTints::tintOf(int index) const
{
    return QColor::fromRgba(index >= 0 && index < m_tints.size() ? m_tints[index] : 0);
}

QSGNode *KeyTints::updatePaintNode(QSGNode *node, UpdatePaintNodeData *)
{
    const bool painter = window()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
    if (!node)
        node = painter ? newPainterTintsNode(window()) : newRectangleTintsNode(window());
    auto *tints = dynamic_cast<KeyTintsNode *>(node);
    if (m_patchesChanged)
        tints->setPatches(m_patches, areaOf(m_patches));
    m_patchesChanged = false;
    tints->setTints(m_tints);
    return node;
}
