// The keyboard pictures kept as their palette: the art tool's palette is
// faithful, the program blends it as the painter would, and the window
// shows the carried picture as the painter draws it, whole or in part.
#include "tools/art/palette.h"
#include "ui/keyboard_ui_types.h"
#include "ui/palette_blit.h"
#include "ui/palette_picture.h"

#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

// Many colours: a gradient, an antialiased coloured rim on a transparent
// ground, a few rare saturated pixels.
QImage manyColours()
{
    QImage image(300, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 300, 120);
    fill.setStops({{0, QColor("#2a2c31")}, {1, QColor("#8b8b8c")}});
    p.setBrush(fill);
    p.setPen(QPen(QColor("#ea5413"), 2));
    p.drawRoundedRect(QRectF(2.5, 2.5, 295, 115), 12, 12);
    p.fillRect(QRect(40, 40, 3, 3), Qt::green);
    return image;
}

// The largest difference of one channel, premultiplied; with `alphaKept`,
// whether no pixel went from or to transparent or opaque.
int largestDifference(const QImage &a, const QImage &b, bool *alphaKept = nullptr)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    if (alphaKept)
        *alphaKept = true;
    for (int i = 0; i < x.width() * x.height(); ++i) {
        const QRgb p = x.pixel(i % x.width(), i / x.width()), q = y.pixel(i % x.width(), i / x.width());
        for (int shift = 0; shift < 32; shift += 8)
            largest = std::max(largest, std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)));
        if (alphaKept && ((qAlpha(p) == 0) != (qAlpha(q) == 0) || (qAlpha(p) == 255) != (qAlpha(q) == 255)))
            *alphaKept = false;
    }
    return largest;
}

} // namespace

class PalettePictureTest : public QObject
{
    Q_OBJECT
private slots:
    void paletteIsFaithful()
    {
        QImage few(16, 16, QImage::Format_ARGB32);
        for (int i = 0; i < 256; ++i)
            few.setPixel(i % 16, i / 16, qRgba(i, 255 - i, i / 2, i % 3 ? 255 : i));
        QCOMPARE(largestDifference(art::withPalette(few), few), 0);
        const QImage source = manyColours();
        const QImage indexed = art::withPalette(source);
        QCOMPARE(indexed.format(), QImage::Format_Indexed8);
        bool alphaKept = false;
        QVERIFY(largestDifference(indexed, source, &alphaKept) <= 4);
        QVERIFY(alphaKept);
    }

    void blendsAsThePainterDoes_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRect>("area");
        QTest::newRow("whole") << int(QImage::Format_ARGB32_Premultiplied) << QPoint(10, 5) << QRect(0, 0, 400, 200);
        QTest::newRow("opaque target") << int(QImage::Format_RGB32) << QPoint(10, 5) << QRect(0, 0, 400, 200);
        QTest::newRow("part of it") << int(QImage::Format_ARGB32_Premultiplied) << QPoint(10, 5) << QRect(0, 30, 90, 40);
        QTest::newRow("out of the target") << int(QImage::Format_RGB32) << QPoint(-20, 150) << QRect(0, 0, 400, 200);
    }
    void blendsAsThePainterDoes()
    {
        QFETCH(int, format);
        QFETCH(QPoint, at);
        QFETCH(QRect, area);
        const QImage picture = art::withPalette(manyColours());
        QImage ground(400, 200, QImage::Format(format));
        ground.fill(QColor(40, 90, 160, format == QImage::Format_RGB32 ? 255 : 200));
        QImage expected = ground, ours = ground;
        QPainter p(&expected);
        p.setClipRect(area);
        p.drawImage(at, picture);
        p.end();
        PaletteBlit::blend(ours, at, picture, PaletteBlit::premultiplied(picture), area);
        QVERIFY(largestDifference(ours, expected) <= 1);
        QVERIFY(largestDifference(ours, ground) > 0);
    }

    // In a window of the software renderer, against the painter's drawing:
    // whole, then where a patch over it is repainted.
    void windowShowsTheCarriedPicture()
    {
        const QImage stored(QStringLiteral(":/index/modules/img/skin1/index/tarnelUK.png"));
        QCOMPARE(stored.format(), QImage::Format_Indexed8);
        QQmlEngine engine;
        registerKeyboardUiTypes();
        QQmlComponent component(&engine);
        component.setData(R"(import QtQuick
            import Gearconsole.Keyboard 1.0
            Rectangle { width: 820; height: 270; color: "#1c1d21"
              PalettePicture { x: 7; y: 11; source: "qrc:/index/modules/img/skin1/index/tarnelUK.png" }
              Rectangle { objectName: "patch"; x: 100; y: 50; width: 60; height: 30; color: "transparent" } })",
                          QUrl());
        QScopedPointer<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        QQuickWindow window;
        window.resize(820, 270);
        qobject_cast<QQuickItem *>(root.data())->setParentItem(window.contentItem());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *picture = root->findChild<PalettePicture *>();
        QCOMPARE(QSizeF(picture->implicitWidth(), picture->implicitHeight()), QSizeF(stored.size()));
        QImage expected(820, 270, QImage::Format_ARGB32_Premultiplied);
        expected.fill(QColor("#1c1d21"));
        QPainter(&expected).drawImage(QPoint(7, 11), stored);
        QTRY_VERIFY(largestDifference(window.grabWindow(), expected) <= 1);
        root->findChild<QObject *>(QStringLiteral("patch"))->setProperty("color", QColor(255, 0, 0, 64));
        QPainter(&expected).fillRect(QRect(100, 50, 60, 30), QColor(255, 0, 0, 64));
        QTRY_VERIFY(largestDifference(window.grabWindow(), expected) <= 1);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("picture .*nothing.png.* could not be read"));
        picture->setSource(QUrl(QStringLiteral("qrc:/nothing.png")));
        QVERIFY(!picture->isReady());
    }
};

QTEST_MAIN(PalettePictureTest)
#include "tst_palette_picture.moc"
