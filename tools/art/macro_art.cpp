#include "macro_art.h"

#include "colours.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace art {

namespace {

const QColor kPlate(0x26, 0x28, 0x2c);

using Glyph = std::function<void(QPainter &, double w, double h)>;

// A square button: dark plate, orange edge when hovered or selected, the
// glyph light grey, white when active.
void plateButton(QImage &image, MacroLook look, const Glyph &glyph)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = image.width(), h = image.height();
    p.setPen(QPen(look == MacroLook::Normal ? kGray1 : kOrange, 1));
    p.setBrush(look == MacroLook::Selected ? kOrange.darker(200) : kPlate);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
    p.setPen(QPen(look == MacroLook::Normal ? kGray3 : QColor(Qt::white), 1.6, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    glyph(p, w, h);
}

// A chevron pointing up (dir -1) or down (dir 1) centred at (cx, cy).
void chevron(QPainter &p, double cx, double cy, double half, int dir)
{
    p.drawPolyline(QPolygonF({QPointF(cx - half, cy - dir * half / 2), QPointF(cx, cy + dir * half / 2),
                              QPointF(cx + half, cy - dir * half / 2)}));
}

// An arrow from the tray: up for export, down into it for import.
void trayArrow(QPainter &p, double w, double h, bool in)
{
    p.drawPolyline(QPolygonF({QPointF(w * 0.27, h * 0.58), QPointF(w * 0.27, h * 0.74),
                              QPointF(w * 0.73, h * 0.74), QPointF(w * 0.73, h * 0.58)}));
    p.drawLine(QPointF(w / 2, h * 0.24), QPointF(w / 2, h * 0.6));
    const double tip = in ? h * 0.6 : h * 0.24, back = in ? h * 0.47 : h * 0.37;
    p.drawLine(QPointF(w / 2, tip), QPointF(w * 0.39, back));
    p.drawLine(QPointF(w / 2, tip), QPointF(w * 0.61, back));
}

void bin(QPainter &p, double w, double h)
{
    p.drawLine(QPointF(w * 0.27, h * 0.32), QPointF(w * 0.73, h * 0.32));
    p.drawLine(QPointF(w * 0.42, h * 0.24), QPointF(w * 0.58, h * 0.24));
    p.drawPolyline(QPolygonF({QPointF(w * 0.33, h * 0.32), QPointF(w * 0.36, h * 0.76),
                              QPointF(w * 0.64, h * 0.76), QPointF(w * 0.67, h * 0.32)}));
}

const std::map<QString, Glyph> &buttonGlyphs()
{
    static const std::map<QString, Glyph> glyphs = {
        {"macroImportBtn", [](QPainter &p, double w, double h) { trayArrow(p, w, h, true); }},
        {"macroExportBtn", [](QPainter &p, double w, double h) { trayArrow(p, w, h, false); }},
        {"macroNewBtn", [](QPainter &p, double w, double h) {
             p.drawLine(QPointF(w / 2, h * 0.28), QPointF(w / 2, h * 0.72));
             p.drawLine(QPointF(w * 0.28, h / 2), QPointF(w * 0.72, h / 2));
         }},
        {"macroDeleteBtn", [](QPainter &p, double w, double h) { bin(p, w, h); }},
        {"firstBtn", [](QPainter &p, double w, double h) {
             p.drawLine(QPointF(w * 0.3, h * 0.3), QPointF(w * 0.7, h * 0.3));
             chevron(p, w / 2, h * 0.5, w * 0.18, -1);
             chevron(p, w / 2, h * 0.66, w * 0.18, -1);
         }},
        {"lastBtn", [](QPainter &p, double w, double h) {
             chevron(p, w / 2, h * 0.34, w * 0.18, 1);
             chevron(p, w / 2, h * 0.5, w * 0.18, 1);
             p.drawLine(QPointF(w * 0.3, h * 0.7), QPointF(w * 0.7, h * 0.7));
         }},
        {"upBtn", [](QPainter &p, double w, double h) { chevron(p, w / 2, h / 2, w * 0.2, -1); }},
        {"downBtn", [](QPainter &p, double w, double h) { chevron(p, w / 2, h / 2, w * 0.2, 1); }},
        {"actionDeleteBtn", [](QPainter &p, double w, double h) {
             p.drawLine(QPointF(w * 0.32, h * 0.32), QPointF(w * 0.68, h * 0.68));
             p.drawLine(QPointF(w * 0.68, h * 0.32), QPointF(w * 0.32, h * 0.68));
         }},
        {"deleteAllBtn", [](QPainter &p, double w, double h) {
             bin(p, w, h);
             p.drawLine(QPointF(w * 0.45, h * 0.42), QPointF(w * 0.45, h * 0.66));
             p.drawLine(QPointF(w * 0.55, h * 0.42), QPointF(w * 0.55, h * 0.66));
         }},
        {"recordBtn", [](QPainter &p, double w, double h) {
             p.setPen(Qt::NoPen);
             p.setBrush(kOrange);
             p.drawEllipse(QPointF(w / 2, h / 2), w * 0.2, h * 0.2);
         }},
        {"stopBtn", [](QPainter &p, double w, double h) {
             p.setBrush(p.pen().color());
             p.drawRoundedRect(QRectF(w * 0.33, h * 0.33, w * 0.34, h * 0.34), 2, 2);
         }},
    };
    return glyphs;
}

// The action column's image: a key cap with an arrow, down for a press
// (blue), up for a release (grey).
void actionImage(QImage &image, bool release)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = image.height();
    const QColor tone = release ? kGray2 : kOrange;
    p.setPen(QPen(release ? kGray1 : kBlue.lighter(150), 1));
    p.setBrush(release ? QColor(0x22, 0x24, 0x28) : kBlue);
    p.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1, h - 1), 4, 4);
    p.setPen(QPen(tone, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double cx = 14, top = h * 0.25, bottom = h * 0.75;
    p.drawLine(QPointF(cx, top), QPointF(cx, bottom));
    const int dir = release ? -1 : 1;
    chevron(p, cx, release ? top + 2.5 : bottom - 2.5, 4.5, dir);
    p.setPen(QPen(tone, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(26, h / 2), QPointF(image.width() - 8, h / 2));
    if (!release) {
        p.setPen(Qt::NoPen);
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(image.width() - 8, h / 2), 3, 3);
    }
}

} // namespace

QSize macroImageSize(const QString &base)
{
    if (base == "actionPress" || base == "actionRelease")
        return QSize(64, 20);
    if (buttonGlyphs().count(base))
        return QSize(30, 30);
    return QSize();
}

bool drawMacroImage(QImage &image, const QString &base, MacroLook look)
{
    if (base == "actionPress" || base == "actionRelease") {
        actionImage(image, base == "actionRelease");
        return true;
    }
    const auto glyph = buttonGlyphs().find(base);
    if (glyph == buttonGlyphs().end())
        return false;
    plateButton(image, look, glyph->second);
    return true;
}

} // namespace art
