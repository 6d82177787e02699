#include "macros/encoding/action_line.h"

#include <limits>

namespace {

constexpr int kKeyStart = 2;  // after the type digit and its comma

} // namespace

qint64 leadingInteger(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
        // Saturate instead of overflowing on absurdly long digit runs.
        const int digit = text[i].unicode() - '0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
            value = std::numeric_limits<qint64>::max();
        else
            value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<ActionLine> parseActionLine(const QString &line)
{
    if (line.size() <= kKeyStart)
        return std::nullopt;

    // The comma key cannot be told from the separator by the editor's rule;
    // two commas right after the type mean the key itself is ",".
    qsizetype comma;
    if (line.mid(kKeyStart, 2) == QLatin1String(",,"))
        comma = kKeyStart + 1;
    else
        comma = line.indexOf(QLatin1Char(','), kKeyStart);
    if (comma < 0)
        return std::nullopt;

    ActionLine step;
    step.key = line.mid(kKeyStart, comma - kKeyStart);
    step.release = comma + 1 < line.size() && line.at(comma + 1) == QLatin1Char('1');
    const qint64 delay = comma + 3 <= line.size() ? leadingInteger(QStringView(line).mid(comma + 3)) : 0;
    step.delayMs = qMax<qint64>(0, delay);
    return step;
}
