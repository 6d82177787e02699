// Renders the UI's images into a folder laid out like the resources, and the
// key geometry as a JS table for the UI.
//
//   gearconsole_art <output dir> <relative png path>...
//   gearconsole_art --icon <size> <png path>     the program's icon, size × size
//
// Each requested path is drawn by the painter its file name selects; an
// unknown name is an error, so the image list and the painters stay in step.
#include "colours.h"
#include "key_geometry.h"
#include "key_legends.h"
#include "macro_art.h"
#include "palette.h"
#include "window_background.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>

namespace {

using art::kGray0, art::kGray1, art::kGray2, art::kGray3, art::kBlue, art::kOrange;

enum class Look { Normal, Hover, Selected };

Look lookOf(const QString &stem, QString *base)
{
    if (stem.endsWith('H')) { *base = stem.chopped(1); return Look::Hover; }
    if (stem.endsWith('S')) { *base = stem.chopped(1); return Look::Selected; }
    *base = stem;
    return Look::Normal;
}

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void roundButton(QImage &image, Look look, const std::function<void(QPainter &, QColor)> &glyph)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, image.width() - 1, image.height() - 1);
    p.setPen(QPen(look == Look::Normal ? kGray1 : kOrange, 1));
    p.setBrush(look == Look::Selected ? kOrange.darker(200) : QColor(0x26, 0x28, 0x2c));
    p.drawRoundedRect(r, 4, 4);
    glyph(p, look == Look::Normal ? kGray3 : QColor(Qt::white));
}

void titleButton(QImage &image, const QString &base, Look look)
{
    roundButton(image, look, [&](QPainter &p, QColor c) {
        const double w = image.width(), h = image.height();
        p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
        if (base == "minBtn") {
            p.drawLine(QPointF(w * 0.3, h * 0.65), QPointF(w * 0.7, h * 0.65));
        } else if (base == "closeBtn") {
            p.drawLine(QPointF(w * 0.32, h * 0.32), QPointF(w * 0.68, h * 0.68));
            p.drawLine(QPointF(w * 0.68, h * 0.32), QPointF(w * 0.32, h * 0.68));
        } else {
            QFont f("DejaVu Sans");
            f.setPixelSize(int(h * 0.6));
            f.setBold(true);
            p.setFont(f);
            p.drawText(QRectF(0, 0, w, h), Qt::AlignCenter, "?");
        }
    });
}

// A flat bar: a dark plate, its edge blue, orange when hovered or selected.
void barButton(QImage &image, Look look)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = image.width(), h = image.height();
    if (look != Look::Normal) {
        QLinearGradient g(0, 0, w, 0);
        g.setColorAt(0, look == Look::Selected ? QColor(0x09, 0x34, 0x7f, 230) : QColor(255, 255, 255, 30));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRect(0, 2, w, h - 4), g);
    }
    if (look != Look::Normal)
        p.fillRect(QRect(0, 2, 4, h - 4), kOrange);
    p.fillRect(QRect(16, h - 1, w - 32, 1), kGray1);
}

void iconButton(QImage &image, const QString &base, Look look)
{
    roundButton(image, look, [&](QPainter &p, QColor c) {
        const double w = image.width(), h = image.height();
        p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const QPointF m(w / 2, h / 2);
        if (base == "importBtn" || base == "outputBtn") {
            const bool in = base == "importBtn";
            p.drawLine(QPointF(w * 0.3, h * 0.75), QPointF(w * 0.7, h * 0.75));
            p.drawLine(QPointF(m.x(), h * 0.25), QPointF(m.x(), h * 0.62));
            const double tip = in ? h * 0.62 : h * 0.25, back = in ? h * 0.48 : h * 0.39;
            p.drawLine(QPointF(m.x(), tip), QPointF(w * 0.38, back));
            p.drawLine(QPointF(m.x(), tip), QPointF(w * 0.62, back));
        } else if (base == "newBtn") {
            p.drawLine(QPointF(m.x(), h * 0.28), QPointF(m.x(), h * 0.72));
            p.drawLine(QPointF(w * 0.28, m.y()), QPointF(w * 0.72, m.y()));
        } else if (base == "deleteBtn") {
            p.drawLine(QPointF(w * 0.28, m.y()), QPointF(w * 0.72, m.y()));
        } else if (base == "writeBtn") {
            p.drawLine(QPointF(w * 0.28, h * 0.52), QPointF(w * 0.45, h * 0.68));
            p.drawLine(QPointF(w * 0.45, h * 0.68), QPointF(w * 0.74, h * 0.32));
        } else { // saveBtn and the macro editor's buttons
            p.drawRect(QRectF(w * 0.28, h * 0.28, w * 0.44, h * 0.44));
            p.drawLine(QPointF(w * 0.38, h * 0.28), QPointF(w * 0.38, h * 0.42));
            p.drawLine(QPointF(w * 0.62, h * 0.28), QPointF(w * 0.62, h * 0.42));
        }
    });
}

// Panel backgrounds are nine-patch sources: the UI stretches them to the
// panel with borders left 76 (the orange mark lies in it), right, top and
// bottom 8, so a page holds a few kilobytes of pixels, not a full-size copy.
void panel(QImage &image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kGray1, 1));
    p.setBrush(QColor(0x18, 0x19, 0x1c, 235));
    p.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 6, 6);
    p.fillRect(QRect(12, 0, 60, 2), kOrange);
}

void sliderTrack(QImage &image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kGray1);
    p.drawRoundedRect(QRectF(0, image.height() / 2.0 - 2, image.width(), 4), 2, 2);
}

void sliderKnob(QImage &image, Look look)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(image.width() / 2.0, image.height() / 2.0, image.width() / 2.0);
    g.setColorAt(0, look == Look::Normal ? kGray3 : QColor(Qt::white));
    g.setColorAt(1, look == Look::Normal ? kGray2 : kOrange);
    p.setPen(QPen(kOrange, 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1));
}

void checkBox(QImage &image, Look look)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(look == Look::Selected ? kOrange : kGray2, 1));
    p.setBrush(kGray0);
    p.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 2, 2);
    if (look == Look::Selected) {
        p.setPen(QPen(kOrange, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3.5, 7), QPointF(6, 10), QPointF(10.5, 4)}));
    }
}

void powerOn(QImage &image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f("DejaVu Sans");
    f.setPixelSize(64);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 14);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, image.width(), image.height() - 30), Qt::AlignCenter, "VORTAN");
    p.fillRect(QRectF(image.width() / 2.0 - 90, image.height() - 34, 180, 3), kOrange);
    p.fillRect(QRectF(image.width() / 2.0 - 60, image.height() - 26, 120, 2), kBlue);
}

// A keycap's legend, centred on the cap's face (above its accent line), drawn
// at the picture's own pixel size with full hinting so it stays crisp. Single
// characters print larger; a legend too wide for its cap breaks at its space
// onto two lines, else takes the condensed face, else steps down in size.
void drawKeyLegend(QPainter &p, const QRectF &face, const QString &legend)
{
    if (legend.isEmpty())
        return;
    QFont f("DejaVu Sans");
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setPixelSize(legend.size() == 1 ? 13 : 10);
    const double room = face.width() - 2;
    auto widest = [&](const QString &text) {
        int width = 0;
        for (const QString &line : text.split('\n'))
            width = std::max(width, QFontMetrics(f).horizontalAdvance(line));
        return width;
    };
    QString text = legend;
    if (widest(text) > room && text.contains(' '))
        text.replace(' ', '\n');
    if (widest(text) > room)
        f.setStretch(QFont::SemiCondensed); // DejaVu Sans Condensed
    while (widest(text) > room && f.pixelSize() > 7)
        f.setPixelSize(f.pixelSize() - 1);
    p.setFont(f);
    p.setPen(kGray3);
    // Whole-pixel placement, so the hinted glyphs are not smeared across pixels.
    p.drawText(face.toRect(), Qt::AlignCenter, text);
}

void keyboardPicture(QImage &image, const art::PictureEdition &edition)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor accent = QColor::fromRgb(edition.accent);
    QRectF body(2.5, 2.5 + edition.yOffset, image.width() - 5, image.height() - 6);
    QLinearGradient caseFill(0, 0, 0, image.height());
    caseFill.setColorAt(0, QColor("#2a2c31"));
    caseFill.setColorAt(1, QColor("#141518"));
    p.setPen(QPen(accent, 2));
    p.setBrush(caseFill);
    p.drawRoundedRect(body, 12, 12);

    const double q = art::kQuarter;
    for (const art::KeyPlace &key : art::kKeyPlaces) {
        if (!art::placedOn(key, edition.uk))
            continue;
        const double x = art::kMargin + key.x * q, y = art::kMargin + key.y * q + edition.yOffset;
        QPainterPath cap;
        if (key.shape == art::IsoEnter) {
            // The upper row reaches one quarter unit further left than the rest.
            const double ear = q;
            QPolygonF outline({QPointF(x - ear + 1, y + 1), QPointF(x + key.w * q - 1, y + 1),
                               QPointF(x + key.w * q - 1, y + key.h * q - 1), QPointF(x + 1, y + key.h * q - 1),
                               QPointF(x + 1, y + 4 * q - 1), QPointF(x - ear + 1, y + 4 * q - 1)});
            cap.addPolygon(outline);
            cap.closeSubpath();
        } else {
            cap.addRoundedRect(QRectF(x + 1.5, y + 1.5, key.w * q - 3, key.h * q - 3), 4, 4);
        }
        QLinearGradient fill(0, y, 0, y + key.h * q);
        fill.setColorAt(0, QColor("#3a3d44"));
        fill.setColorAt(1, QColor("#24262b"));
        p.setPen(QPen(QColor("#4b4f57"), 1));
        p.setBrush(fill);
        p.drawPath(cap);
        p.setPen(QPen(QColor(accent.red(), accent.green(), accent.blue(), 110), 1));
        p.drawLine(QPointF(x + 5, y + key.h * q - 3.5), QPointF(x + key.w * q - 5, y + key.h * q - 3.5));
        // The tall Enter prints its legend on its upper row, ear included.
        const QRectF face = key.shape == art::IsoEnter
            ? QRectF(x - q + 2, y + 2, (key.w + 1) * q - 4, 4 * q - 6)
            : QRectF(x + 2, y + 2, key.w * q - 4, key.h * q - 6);
        drawKeyLegend(p, face, art::keyLegend(6 * key.column + key.row, edition.uk));
    }
}

void writeGeometryJs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream out(&file);
    out << "// Generated by gearconsole_art from tools/art/key_geometry.h; the keyboard\n"
           "// pictures are drawn from the same table.\n.pragma library\n\n";
    out << "var width = " << art::kPictureWidth << ";\nvar height = " << art::kPictureHeight << ";\n\n";
    out << "// Per picture: [key index, x, y, width, height] in picture pixels; the tall\n"
           "// Enter adds [ear width, upper row height], its ear lying left of x.\nvar editions = {\n";
    for (const art::PictureEdition &edition : art::kEditions) {
        out << "    " << edition.name << ": [";
        bool first = true;
        for (const art::KeyPlace &key : art::kKeyPlaces) {
            if (!art::placedOn(key, edition.uk))
                continue;
            const double q = art::kQuarter;
            out << (first ? "" : ", ") << "[" << 6 * key.column + key.row << ", "
                << art::kMargin + key.x * q << ", " << art::kMargin + key.y * q + edition.yOffset << ", "
                << key.w * q << ", " << key.h * q;
            // The tall Enter's ear: its width and the upper row's height.
            if (key.shape == art::IsoEnter)
                out << ", " << q << ", " << 4 * q;
            out << "]";
            first = false;
        }
        out << "],\n";
    }
    out << "};\n";
}

struct Size { int w, h; };
// The nine-patch source of every panel background (see panel()).
constexpr Size kPanelPatch{96, 24};

// The keyboard edition whose picture `base` names, or none.
const art::PictureEdition *editionNamed(const QString &base)
{
    for (const art::PictureEdition &e : art::kEditions)
        if (base == e.name)
            return &e;
    return nullptr;
}

Size sizeOf(const QString &base)
{
    static const std::map<QString, Size> sizes = {
        {"helpBtn", {20, 20}}, {"minBtn", {20, 20}}, {"closeBtn", {20, 20}},
        {"powerOn", {420, 160}}, {"sideBtn", {191, 48}}, {"importBtn", {30, 30}}, {"outputBtn", {30, 30}},
        {"newBtn", {30, 30}}, {"deleteBtn", {30, 30}}, {"writeBtn", {21, 21}}, {"saveBtn", {30, 30}},
        {"lightBg", kPanelPatch}, {"keyBg", kPanelPatch}, {"sliderTrack", {200, 14}}, {"sliderKnob", {14, 14}},
        {"macroBg", kPanelPatch}, {"macroListBg", kPanelPatch}, {"checkBox", {14, 14}}, {"macroBtn", {30, 30}},
    };
    if (editionNamed(base))
        return {art::kPictureWidth, art::kPictureHeight + 1};
    if (const QSize macro = art::macroImageSize(base); macro.isValid())
        return {macro.width(), macro.height()};
    if (const QSize background = art::windowBackgroundSize(base); background.isValid())
        return {background.width(), background.height()};
    auto it = sizes.find(base);
    return it == sizes.end() ? Size{0, 0} : it->second;
}

bool draw(QImage &image, const QString &base, Look look)
{
    if (const art::PictureEdition *edition = editionNamed(base)) {
        keyboardPicture(image, *edition);
        return true;
    }
    if (art::macroImageSize(base).isValid())
        return art::drawMacroImage(image, base, art::MacroLook(int(look)));
    if (art::windowBackgroundSize(base).isValid())
        return art::drawWindowBackground(image, base);
    if (base == "helpBtn" || base == "minBtn" || base == "closeBtn") titleButton(image, base, look);
    else if (base == "sideBtn") barButton(image, look);
    else if (base == "powerOn") powerOn(image);
    else if (base.endsWith("Bg")) panel(image);
    else if (base == "sliderTrack") sliderTrack(image);
    else if (base == "sliderKnob") sliderKnob(image, look);
    else if (base == "checkBox") checkBox(image, look);
    else if (base.endsWith("Btn")) iconButton(image, base, look);
    else return false;
    return true;
}

// The program's icon, as in the tray: an orange "V" on a dark rounded square,
// drawn on a 256-unit grid and scaled to the size asked for.
QImage programIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QPainterPath square;
    square.addRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    p.fillPath(square, kGray0);
    const QPointF v[] = {{52, 56}, {100, 56}, {128, 150}, {156, 56}, {204, 56}, {148, 206}, {108, 206}};
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawPolygon(v, int(std::size(v)));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: gearconsole_art <output dir> <png path>... | --geometry <js path>\n");
        return 2;
    }
    if (QString::fromLocal8Bit(argv[1]) == "--icon") {
        const int size = argc == 4 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "usage: gearconsole_art --icon <size 16..1024> <png path>\n");
            return 2;
        }
        const QString path = QString::fromLocal8Bit(argv[3]);
        QDir().mkpath(QFileInfo(path).path());
        if (!programIcon(size).save(path)) {
            std::fprintf(stderr, "gearconsole_art: cannot write %s\n", qPrintable(path));
            return 1;
        }
        return 0;
    }
    if (QString::fromLocal8Bit(argv[1]) == "--geometry") {
        QDir().mkpath(QFileInfo(QString::fromLocal8Bit(argv[2])).path());
        writeGeometryJs(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const QString relative = QString::fromLocal8Bit(argv[i]);
        QString base;
        const Look look = lookOf(QFileInfo(relative).completeBaseName(), &base);
        Size size = sizeOf(base);
        if (size.w == 0) {
            // A name ending in H or S may be a plain name after all (keyBg has no variants).
            base = QFileInfo(relative).completeBaseName();
            size = sizeOf(base);
        }
        QImage image = canvas(size.w, size.h);
        if (size.w == 0 || !draw(image, base, look)) {
            std::fprintf(stderr, "gearconsole_art: no painter for %s\n", qPrintable(relative));
            return 1;
        }
        // The keyboard pictures are the largest images the window keeps
        // decoded for the whole run: they are kept as their palette.
        if (editionNamed(base))
            image = art::withPalette(image);
        const QString path = out.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        if (!image.save(path)) {
            std::fprintf(stderr, "gearconsole_art: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
