#pragma once
#include <QImage>
#include <QQuickItem>
#include <QUrl>

// A picture of the program's resources shown as it is stored: an 8-bit
// palette PNG stays at one byte a pixel, where an Image widens it to four
// for as long as it is shown (the keyboard picture: 0.2 MiB instead of 0.8).
// Registered as "PalettePicture" of "Gearconsole.Keyboard" 1.0:
//
//   PalettePicture { source: "qrc:/index/modules/img/skin1/index/tarnelUK.png" }
//
// The item takes the picture's size. An image of another kind is shown too,
// at its own format's cost.
class PalettePicture : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(bool ready READ isReady NOTIFY sourceChanged)

public:
    explicit PalettePicture(QQuickItem *parent = nullptr);

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);
    bool isReady() const { return !m_image.isNull(); }
    const QImage &image() const { return m_image; }

signals:
    void sourceChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override;

private:
    QUrl m_source;
    QImage m_image;
    bool m_imageChanged = false;
};
