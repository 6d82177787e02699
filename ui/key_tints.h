#pragma once
#include <QQuickItem>
#include <QRect>
#include <QRgb>
#include <QVariantList>
#include <QVector>

// The lighting preview's tints over the keyboard picture, drawn by one item:
// a frame costs one scene-graph node and one repaint of the picture's area,
// not a tinted rectangle (and a binding) per key. Registered as "KeyTints"
// of the QML module "Gearconsole.Keyboard" 1.0:
//
//   KeyTints { places: spacing.places; tints: preview.tintList(lit, phase) }
//
// `places` are the picture's key places, [key index, x, y, width, height]
// with, for the tall Enter, the width and height of its ear left of the
// place. `tints` holds one colour per key index; a key without one, or a
// transparent one, is left clear. Setting the same tints again draws nothing.
class KeyTints : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QVariantList places READ places WRITE setPlaces NOTIFY placesChanged)
    Q_PROPERTY(QVariantList tints READ tints WRITE setTints NOTIFY tintsChanged)

public:
    // One area to fill, a key's place or the tall Enter's ear, with the key
    // it belongs to.
    struct Patch
    {
        int key;
        QRect area;
    };

    explicit KeyTints(QQuickItem *parent = nullptr);

    QVariantList places() const { return m_placeList; }
    void setPlaces(const QVariantList &places);
    QVariantList tints() const { return m_tintList; }
    void setTints(const QVariantList &tints);

    // The colour drawn for key `index` (transparent when none).
    Q_INVOKABLE QColor tintOf(int index) const;

signals:
    void placesChanged();
    void tintsChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override;

private:
    QVariantList m_placeList;
    QVariantList m_tintList;
    QVector<Patch> m_patches;
    QVector<QRgb> m_tints;   // by key index, not premultiplied
    bool m_patchesChanged = true;
};
