#include "ui/key_marks.h"

#include "ui/key_marks_nodes.h"
#include "ui/key_place_fields.h"

#include <QQuickWindow>
#include <QSGRendererInterface>

using namespace KeyPlace;

KeyMarks::KeyMarks(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

void KeyMarks::setPlaces(const QVariantList &places)
{
    m_placeList = places;
    m_places.clear();
    m_bounds = QRectF();
    for (const QVariant &value : places) {
        const QVariantList place = value.toList();
        if (place.size() <= Height)
            continue;
        const QRectF area(place[X].toDouble(), place[Y].toDouble(), place[Width].toDouble(),
                          place[Height].toDouble());
        m_places.append({place[Key].toInt(), area});
        m_bounds |= borderCover(area);
    }
    emit placesChanged();
    refresh();
}

void KeyMarks::setMarks(const QVariantList &marks)
{
    m_markList = marks;
    m_marks.clear();
    m_marks.reserve(marks.size());
    for (const QVariant &mark : marks)
        m_marks.append(mark.toBool());
    emit marksChanged();
    refresh();
}

void KeyMarks::setMarkedKeys(const QVariantList &keys)
{
    m_markedKeyList = keys;
    m_markedKeys.clear();
    for (const QVariant &key : keys)
        m_markedKeys.append(key.toInt());
    emit markedKeysChanged();
    refresh();
}

void KeyMarks::setMarkColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_changed = true;
    emit markColorChanged();
    update();
}

bool KeyMarks::marked(int key) const
{
    return (key >= 0 && key < m_marks.size() && m_marks[key]) || m_markedKeys.contains(key);
}

bool KeyMarks::isMarked(int index) const
{
    for (const Place &place : m_places) {
        if (place.key == index)
            return marked(index);
    }
    return false;
}

void KeyMarks::refresh()
{
    QVector<QRectF> borders;
    for (const Place &place : std::as_const(m_places)) {
        if (marked(place.key))
            borders.append(place.area);
    }
    if (borders == m_borders)
        return;
    m_borders = borders;
    m_changed = true;
    update();
}

QSGNode *KeyMarks::updatePaintNode(QSGNode *node, UpdatePaintNodeData *)
{
    const bool painter = window()->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
    if (!node)
        node = painter ? newPainterMarksNode(window()) : newRectangleMarksNode(window());
    if (m_changed)
        dynamic_cast<KeyMarksNode *>(node)->setBorders(m_borders, m_color, m_bounds);
    m_changed = false;
    return node;
}
