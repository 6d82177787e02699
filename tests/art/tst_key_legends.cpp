// Keycap legends: each key's legend is its key-matrix name in printed form,
// UK and US editions differ where their caps do, and the pictures the program
// carries show a legend on every named cap and none on the unnamed ones.
#include "keys/key_matrix.h"
#include "tools/art/key_geometry.h"
#include "tools/art/key_legends.h"

#include <QImage>
#include <QTest>

namespace {

// Pixels in the light grey of a legend, antialiased edges included; caps,
// case and accent lines are all darker or coloured.
int legendPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int lo = std::min({qRed(c), qGreen(c), qBlue(c)}), hi = std::max({qRed(c), qGreen(c), qBlue(c)});
            count += lo >= 0x90 && hi - lo <= 0x18;
        }
    return count;
}

} // namespace

class KeyLegends : public QObject
{
    Q_OBJECT
private slots:
    void legendsFromTheMatrix()
    {
        const struct { int index; const char *uk, *us; } caps[] = {
            {0, "Esc", "Esc"}, {6 * 1 + 3, "A", "A"}, {6 * 13 + 1, "Backspace", "Backspace"},
            {6 * 13 + 2, "#", "\\"}, {kIsoKeyIndex, "\\", "\\"}, {6 * 10 + 5, "AltGr", "Alt"},
            {6 * 14 + 5, "\u25C4", "\u25C4"}, {6 * 18 + 1, "/", "/"}, {6 * 19 + 5, ".", "."},
            {6 * 20 + 4, "Enter", "Enter"}, {102, "", ""}, {108, "", ""}, {114, "", ""}, {120, "", ""},
        };
        for (const auto &cap : caps) {
            QCOMPARE(art::keyLegend(cap.index, true), QString::fromUtf8(cap.uk));
            QCOMPARE(art::keyLegend(cap.index, false), QString::fromUtf8(cap.us));
        }
    }

    // Every cap of every picture: a named key shows a legend within its cap's
    // face, an unnamed one shows none, and no legend strays outside the caps.
    void picturesShowTheLegends()
    {
        for (const art::PictureEdition &e : art::kEditions) {
            const QImage picture(QStringLiteral(":/index/modules/img/skin1/index/%1.png").arg(e.name));
            QVERIFY(!picture.isNull());
            const double q = art::kQuarter;
            int inCaps = 0;
            for (const art::KeyPlace &key : art::kKeyPlaces) {
                if (!art::placedOn(key, e.uk))
                    continue;
                const int index = 6 * key.column + key.row;
                const int x = int(art::kMargin + key.x * q), y = int(art::kMargin + key.y * q) + e.yOffset;
                // Above the accent line; the tall Enter's upper row reaches one unit left.
                const int left = key.shape == art::IsoEnter ? x - int(q) : x;
                const QRect face(QPoint(left + 2, y + 2), QPoint(int(x + key.w * q) - 3, int(y + key.h * q) - 5));
                const int pixels = legendPixels(picture, face);
                inCaps += pixels;
                QVERIFY2((pixels > 0) == !keyMatrixName(index).isEmpty(),
                         qPrintable(QStringLiteral("%1 key %2: %3 legend pixels").arg(e.name).arg(index).arg(pixels)));
            }
            // Within the case and its rounded trim (grey on the dusken).
            QCOMPARE(legendPixels(picture, picture.rect().adjusted(10, 10, -10, -10)), inCaps);
        }
    }
};

QTEST_GUILESS_MAIN(KeyLegends)
#include "tst_key_legends.moc"
