#pragma once
#include <QColor>
#include <QQuickItem>
#include <QRectF>
#include <QVariantList>
#include <QVector>

// The marks over the keyboard picture, drawn by one item: the 2 px border
// with corners of radius 2 in the mark colour, drawn as a Rectangle with that
// border draws it, around the place of every marked key. One item and one
// scene-graph node instead of an item, a binding and a context per key.
// Registered as "KeyMarks" of the QML module "Gearconsole.Keyboard" 1.0:
//
//   KeyMarks { places: spacing.places; marks: modelMarks; markedKeys: [hovered, selected] }
//
// `places` are the picture's key places, [key index, x, y, width, height]
// (a tall Enter's ear is not marked). A key is marked when `marks` holds true
// at its index or `markedKeys` names it (-1 names none). Marks that draw the
// same borders as before draw nothing.
class KeyMarks : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QVariantList places READ places WRITE setPlaces NOTIFY placesChanged)
    Q_PROPERTY(QVariantList marks READ marks WRITE setMarks NOTIFY marksChanged)
    Q_PROPERTY(QVariantList markedKeys READ markedKeys WRITE setMarkedKeys NOTIFY markedKeysChanged)
    Q_PROPERTY(QColor markColor READ markColor WRITE setMarkColor NOTIFY markColorChanged)

public:
    explicit KeyMarks(QQuickItem *parent = nullptr);

    QVariantList places() const { return m_placeList; }
    void setPlaces(const QVariantList &places);
    QVariantList marks() const { return m_markList; }
    void setMarks(const QVariantList &marks);
    QVariantList markedKeys() const { return m_markedKeyList; }
    void setMarkedKeys(const QVariantList &keys);
    QColor markColor() const { return m_color; }
    void setMarkColor(const QColor &color);

    // Whether a border is drawn around key `index`.
    Q_INVOKABLE bool isMarked(int index) const;

signals:
    void placesChanged();
    void marksChanged();
    void markedKeysChanged();
    void markColorChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override;

private:
    struct Place
    {
        int key;
        QRectF area;
    };
    bool marked(int key) const;
    // Works out which places carry a border; repaints when that changed.
    void refresh();

    QVariantList m_placeList;
    QVariantList m_markList;
    QVariantList m_markedKeyList;
    QVector<Place> m_places;
    QVector<bool> m_marks;       // by key index
    QVector<int> m_markedKeys;
    QColor m_color = QColor(0xea, 0x54, 0x13);
    QVector<QRectF> m_borders;   // the marked places
    QRectF m_bounds;             // of all places
    bool m_changed = true;
};
