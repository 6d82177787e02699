#include "macros/encoding/ui_steps.h"

#include "keys/key_names.h"
#include "macros/encoding/action_line.h"

#include <QVariantMap>

#include <cmath>

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Char: case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

int usageOf(const QVariant &key, const QStringList &names)
{
    if (isNumber(key))
        return int(integerFromUi(key) & 0xFF);
    return usageOfName(key.toString(), names);
}

bool isRelease(const QVariant &action)
{
    if (action.metaType().id() == QMetaType::Bool)
        return action.toBool();
    return integerFromUi(action) == 1;
}

std::optional<MacroStep> stepOf(const QVariant &entry, const QStringList &names)
{
    if (entry.metaType().id() == QMetaType::QString) {
        const std::optional<ActionLine> line = parseActionLine(entry.toString());
        if (!line)
            return std::nullopt;
        return MacroStep{usageOfName(line->key, names), line->release, line->delayMs};
    }
    if (entry.metaType().id() == QMetaType::QVariantMap) {
        const QVariantMap object = entry.toMap();
        if (!object.contains(QStringLiteral("key")))
            return std::nullopt;
        return MacroStep{usageOf(object.value(QStringLiteral("key")), names),
                         isRelease(object.value(QStringLiteral("action"))),
                         qMax<qint64>(0, integerFromUi(object.value(QStringLiteral("delay"))))};
    }
    return std::nullopt;
}

} // namespace

qint64 integerFromUi(const QVariant &value)
{
    if (isNumber(value)) {
        const double number = value.toDouble();
        // Out of any sensible range: treated as nonsense rather than cast.
        if (!std::isfinite(number) || std::fabs(number) >= 9.0e15)
            return 0;
        return std::llround(number);
    }
    if (value.metaType().id() == QMetaType::QString)
        return leadingInteger(value.toString());
    return 0;
}

MacroSteps stepsFromUi(const QVariantList &entries, const QStringList &keyNames)
{
    const QStringList &names = keyNames.isEmpty() ? ::keyNames() : keyNames;
    MacroSteps steps;
    steps.reserve(entries.size());
    for (const QVariant &entry : entries) {
        if (const std::optional<MacroStep> step = stepOf(entry, names))
            steps.append(*step);
    }
    return steps;
}
