#include "palette.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

namespace art {

namespace {

constexpr int kPaletteSize = 256;

struct Colour
{
    QRgb rgba;
    int count;
    int channel(int c) const
    {
        switch (c) {
        case 0: return qRed(rgba);
        case 1: return qGreen(rgba);
        case 2: return qBlue(rgba);
        default: return qAlpha(rgba);
        }
    }
};

// Colours [begin, end) of `all`, to be split along their widest channel.
struct Box
{
    int begin, end;
    int widestChannel(const std::vector<Colour> &all, int *range) const
    {
        int best = 0;
        *range = -1;
        for (int c = 0; c < 4; ++c) {
            const auto [low, high] = std::minmax_element(all.begin() + begin, all.begin() + end,
                                                         [c](const Colour &a, const Colour &b) { return a.channel(c) < b.channel(c); });
            if (high->channel(c) - low->channel(c) > *range) {
                *range = high->channel(c) - low->channel(c);
                best = c;
            }
        }
        return best;
    }
};

// Median cut of `colours` into at most `entries` palette colours, each the
// pixel-weighted mean of its box. The boxes start as the given ones and
// never merge colours of two of them.
QList<QRgb> medianCut(std::vector<Colour> colours, std::vector<Box> boxes, int entries)
{
    QList<QRgb> palette;
    while (int(boxes.size()) < entries) {
        // The box spreading furthest over one channel: no colour ends far
        // from its palette entry, however few pixels it has.
        int chosen = -1, chosenChannel = 0, chosenRange = 0;
        for (int b = 0; b < int(boxes.size()); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            int range = 0;
            const int channel = boxes[b].widestChannel(colours, &range);
            if (range > chosenRange) {
                chosenRange = range;
                chosen = b;
                chosenChannel = channel;
            }
        }
        if (chosen < 0)
            break;
        Box &box = boxes[chosen];
        // Ties broken by the whole colour: the same picture always gets the
        // same palette.
        std::sort(colours.begin() + box.begin, colours.begin() + box.end, [chosenChannel](const Colour &a, const Colour &b) {
            return a.channel(chosenChannel) != b.channel(chosenChannel) ? a.channel(chosenChannel) < b.channel(chosenChannel)
                                                                        : a.rgba < b.rgba;
        });
        double half = 0, seen = 0;
        for (int i = box.begin; i < box.end; ++i)
            half += colours[i].count / 2.0;
        int split = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            seen += colours[i].count;
            split = i + 1;
            if (seen >= half)
                break;
        }
        const Box upper{split, box.end};
        box.end = split;
        boxes.push_back(upper);
    }
    for (const Box &box : boxes) {
        std::array<double, 4> sum{};
        double pixels = 0;
        for (int i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 4; ++c)
                sum[c] += double(colours[i].channel(c)) * colours[i].count;
            pixels += colours[i].count;
        }
        auto mean = [&](int c) { return int(sum[c] / pixels + 0.5); };
        palette << qRgba(mean(0), mean(1), mean(2), mean(3));
    }
    return palette;
}

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b),
              da = qAlpha(a) - qAlpha(b);
    return dr * dr + dg * dg + db * db + 4 * da * da;
}

} // namespace

QImage withPalette(const QImage &source)
{
    // Merged as the window blends them, premultiplied: a colour that is
    // nearly transparent counts for as little as it shows.
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[qAlpha(line[x]) == 0 ? 0u : line[x]];
    }
    QList<QRgb> palette;
    if (counts.size() <= kPaletteSize) {
        palette = counts.keys();
        std::sort(palette.begin(), palette.end());
    } else {
        // Transparent, opaque and partly transparent colours are merged only
        // among themselves.
        std::vector<Colour> colours;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (qAlpha(it.key()) == 255)
                colours.push_back({it.key(), it.value()});
        }
        const int opaque = int(colours.size());
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (qAlpha(it.key()) != 255 && it.key() != 0)
                colours.push_back({it.key(), it.value()});
        }
        // In a fixed order (the hash's is not).
        const auto byColour = [](const Colour &a, const Colour &b) { return a.rgba < b.rgba; };
        std::sort(colours.begin(), colours.begin() + opaque, byColour);
        std::sort(colours.begin() + opaque, colours.end(), byColour);
        std::vector<Box> boxes;
        if (opaque > 0)
            boxes.push_back({0, opaque});
        if (int(colours.size()) > opaque)
            boxes.push_back({opaque, int(colours.size())});
        if (counts.contains(0))
            palette << 0u;
        palette << medianCut(std::move(colours), std::move(boxes), kPaletteSize - int(palette.size()));
    }
    // Each colour to its nearest palette entry, within its own alpha class.
    QHash<QRgb, uchar> index;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const QRgb colour = it.key();
        int best = 0, bestDistance = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const QRgb entry = palette.at(i);
            const bool sameClass = (qAlpha(entry) == 255) == (qAlpha(colour) == 255)
                                   && (qAlpha(entry) == 0) == (qAlpha(colour) == 0);
            if (!sameClass)
                continue;
            const int d = distance(colour, entry);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        index.insert(colour, uchar(best));
    }
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const QRgb entry : std::as_const(palette))
        table << qUnpremultiply(entry);
    indexed.setColorTable(table);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            out[x] = index.value(qAlpha(line[x]) == 0 ? 0u : line[x]);
    }
    return indexed;
}

} // namespace art
