#include "window_background.h"

#include "colours.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace art {

namespace {

constexpr int kWindowWidth = 1000, kWindowHeight = 640;

// The window, painted whole.
void paintWindow(QImage &image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, image.height());
    fill.setColorAt(0, QColor("#202226"));
    fill.setColorAt(1, QColor("#101113"));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 8, 8);
    p.fillPath(frame, fill);
    // Title strip with its blue line, side strip, main area panel.
    p.fillRect(QRect(1, 1, image.width() - 2, 60), QColor(0, 0, 0, 90));
    p.fillRect(QRect(1, 60, image.width() - 2, 2), kBlue);
    p.fillRect(QRect(0, 81, 191, 510), QColor(255, 255, 255, 10));
    p.fillRect(QRect(191, 81, 1, 510), kGray1);
    p.setPen(QPen(kOrange, 3));
    p.drawLine(QPointF(24, 50), QPointF(120, 50));
    p.setPen(QPen(kGray1, 1));
    p.drawPath(frame);
    p.fillRect(QRect(1, 612, image.width() - 2, 1), kGray1);
}

// The window shows the background from small parts: the side part (the
// corners' columns, one side column stretched, the side strip's edge) and the
// main part (one column stretched, the right corners), both stretched by
// nearest pixel, and over them the orange mark, a copy of its pixels. Decoded
// they hold 54 KiB, not the whole painting's 2.5 MiB, for the program's run.
constexpr int kCorner = 9; // the columns the rounded corners reach, either side
constexpr int kSideEdge = 191;
constexpr QRect kMark(22, 48, 100, 4);

// Each part: the painting's rectangles it keeps, side by side.
const std::map<QString, std::vector<QRect>> kParts = {
    {"backgroundSide", {QRect(0, 0, kCorner + 1, kWindowHeight), QRect(kSideEdge, 0, 1, kWindowHeight)}},
    {"backgroundMain", {QRect(kSideEdge + 1, 0, 1, kWindowHeight),
                        QRect(kWindowWidth - kCorner, 0, kCorner, kWindowHeight)}},
    {"backgroundMark", {kMark}},
    // The whole, for the test that checks what the parts show.
    {"windowBackground", {QRect(0, 0, kWindowWidth, kWindowHeight)}},
};

[[noreturn]] void refuse(const char *what, int x, int y)
{
    std::fprintf(stderr, "gearconsole_art: the window background %s at %d,%d\n", what, x, y);
    std::exit(1);
}

// Should the painting ever vary where a stretched column stands in for others
// (the opaque mark covering what lies under it), stop the build rather than
// ship a background that differs from it.
const QImage &checkedWindow()
{
    static const QImage painted = [] {
        QImage image(kWindowWidth, kWindowHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        paintWindow(image);
        const struct { int column, from, to; } stretches[] = {
            {kCorner, kCorner + 1, kSideEdge}, {kSideEdge + 1, kSideEdge + 2, kWindowWidth - kCorner}};
        for (const auto &s : stretches)
            for (int x = s.from; x < s.to; ++x)
                for (int y = 0; y < kWindowHeight; ++y)
                    if (!kMark.contains(x, y) && image.pixel(x, y) != image.pixel(s.column, y))
                        refuse("varies where one column is stretched", x, y);
        for (int x = kMark.left(); x <= kMark.right(); ++x)
            for (int y = kMark.top(); y <= kMark.bottom(); ++y)
                if (qAlpha(image.pixel(x, y)) != 255)
                    refuse("has a see-through pixel in its mark", x, y);
        return image;
    }();
    return painted;
}

} // namespace

QSize windowBackgroundSize(const QString &base)
{
    const auto part = kParts.find(base);
    if (part == kParts.end())
        return {};
    QSize size(0, 0);
    for (const QRect &kept : part->second)
        size = QSize(size.width() + kept.width(), std::max(size.height(), kept.height()));
    return size;
}

bool drawWindowBackground(QImage &image, const QString &base)
{
    const auto part = kParts.find(base);
    if (part == kParts.end())
        return false;
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    int x = 0;
    for (const QRect &kept : part->second) {
        p.drawImage(x, 0, checkedWindow(), kept.x(), kept.y(), kept.width(), kept.height());
        x += kept.width();
    }
    return true;
}

} // namespace art
