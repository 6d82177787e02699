// The keyboard pictures kept as their palette: the art tool's palette is
// faithful, the program blends it as the painter would, and the window
// shows the carried picture as its full-colour drawing looks.
#include "tools/art/palette.h"
#include "ui/keyboard_ui_types.h"
#include "ui/palette_blit.h"
#include "ui/palette_picture.h"

#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

namespace {

// A picture of many colours: gradients, a disc with antialiased edges on a
// transparent ground, and some rare saturated pixels.
QImage manyColours()
{
    QImage image(300, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 300, 120);
    fill.setColorAt(0, QColor("#2a2c31"));
    fill.setColorAt(1, QColor("#8b8b8c"));
    p.setBrush(fill);
    p.setPen(QPen(QColor("#ea5413"), 2));
    p.drawRoundedRect(QRectF(2.5, 2.5, 295, 115), 12, 12);
    p.fillRect(QRect(40, 40, 3, 3), QColor("#00ff00"));
    p.end();
    return image;
}

int largestDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int i = 0; i < x.width() * x.height(); ++i) {
        const QRgb p = x.pixel(i % x.width(), i / x.width()), q = y.pixel(i % x.width(), i / x.width());
        for (int shift = 0; shift < 32; shift += 8)
            largest = std::max(largest, std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)));
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
        const QImage exact = art::withPalette(few);
        QCOMPARE(exact.format(), QImage::Format_Indexed8);
        QCOMPARE(largestDifference(exact, few), 0);

        const QImage source = manyColours();
        const QImage indexed = art::withPalette(source);
        QCOMPARE(indexed.format(), QImage::Format_Indexed8);
        QVERIFY(indexed.colorCount() <= 256);
        QVERIFY2(largestDifference(indexed, source) <= 4, qPrintable(QString::number(largestDifference(indexed, source))));
        // Transparent and opaque pixels keep their alpha exactly.
        for (int i = 0; i < source.width() * source.height(); ++i) {
            const int a = qAlpha(source.pixel(i % 300, i / 300)), b = qAlpha(indexed.pixel(i % 300, i / 300));
            QVERIFY((a == 0) == (b == 0) && (a == 255) == (b == 255));
        }
    }

    void blendsAsThePainterDoes_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRect>("area");
        QTest::newRow("whole, premultiplied target") << int(QImage::Format_ARGB32_Premultiplied) << QPoint(10, 5) << QRect(0, 0, 400, 200);
        QTest::newRow("opaque target") << int(QImage::Format_RGB32) << QPoint(10, 5) << QRect(0, 0, 400, 200);
        QTest::newRow("part of it") << int(QImage::Format_ARGB32_Premultiplied) << QPoint(10, 5) << QRect(50, 30, 90, 40);
        QTest::newRow("reaching out of the target") << int(QImage::Format_RGB32) << QPoint(-20, 150) << QRect(0, 0, 400, 200);
    }
    void blendsAsThePainterDoes()
    {
        QFETCH(int, format);
        QFETCH(QPoint, at);
        QFETCH(QRect, area);
        const QImage picture = art::withPalette(manyColours());
        QImage ground(400, 200, QImage::Format(format));
        ground.fill(QColor(40, 90, 160, format == QImage::Format_RGB32 ? 255 : 200));
        QImage expected = ground;
        {
            QPainter p(&expected);
            p.setClipRect(area);
            p.drawImage(at, picture);
        }
        QImage ours = ground;
        PaletteBlit::blend(ours, at, picture, PaletteBlit::premultiplied(picture), area);
        QVERIFY(largestDifference(ours, expected) <= 1);
        QVERIFY(largestDifference(ours, ground) > 0);
    }

    // The carried picture in a window of the software renderer, against the
    // same picture drawn by the painter.
    void windowShowsTheCarriedPicture()
    {
        const QString address = QStringLiteral("qrc:/index/modules/img/skin1/index/tarnelUK.png");
        const QImage stored(QStringLiteral(":/index/modules/img/skin1/index/tarnelUK.png"));
        QCOMPARE(stored.format(), QImage::Format_Indexed8);
        QQmlEngine engine;
        registerKeyboardUiTypes();
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Gearconsole.Keyboard 1.0\n"
                          "Rectangle { width: 820; height: 270; color: \"#1c1d21\"\n"
                          "  PalettePicture { objectName: \"picture\"; x: 7; y: 11; source: \"" + address.toUtf8() + "\" }\n"
                          "  Rectangle { objectName: \"patch\"; x: 100; y: 50; width: 60; height: 30; color: \"transparent\" } }",
                          QUrl());
        QScopedPointer<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        QQuickWindow window;
        window.resize(820, 270);
        qobject_cast<QQuickItem *>(root.data())->setParentItem(window.contentItem());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *picture = root->findChild<PalettePicture *>(QStringLiteral("picture"));
        QVERIFY(picture->isReady());
        QCOMPARE(QSizeF(picture->implicitWidth(), picture->implicitHeight()), QSizeF(stored.size()));
        QImage expected(820, 270, QImage::Format_ARGB32_Premultiplied);
        expected.fill(QColor("#1c1d21"));
        QPainter(&expected).drawImage(QPoint(7, 11), stored);
        QTRY_VERIFY(largestDifference(window.grabWindow(), expected) <= 1);
        // A repaint of part of it, as under the lighting preview's tints:
        // the patch's new colour over the picture, the rest as it was.
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
