#include "argument_conversion.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <limits>

namespace {

const QList<QByteArray> kBytePointerTypes = {"uchar*", "quint8*", "unsigned char*"};

struct IntegerRange
{
    double lowest;
    double highest;
};

// A JSON number is a double. A 64-bit maximum is not one: converted, it
// rounds up to 2^63 or 2^64, one past what the type holds, so the highest
// number accepted is then the double just below.
template <typename T>
double highestDouble()
{
    const double rounded = double(std::numeric_limits<T>::max());
    return rounded == std::ldexp(1.0, std::numeric_limits<T>::digits) ? std::nextafter(rounded, 0.0) : rounded;
}

// The integer types a JSON number may fill, with the values they hold.
bool integerRange(int typeId, IntegerRange *range)
{
    switch (typeId) {
    case QMetaType::Char: *range = {CHAR_MIN, CHAR_MAX}; return true;
    case QMetaType::SChar: *range = {SCHAR_MIN, SCHAR_MAX}; return true;
    case QMetaType::UChar: *range = {0, UCHAR_MAX}; return true;
    case QMetaType::Short: *range = {SHRT_MIN, SHRT_MAX}; return true;
    case QMetaType::UShort: *range = {0, USHRT_MAX}; return true;
    case QMetaType::Int: *range = {INT_MIN, INT_MAX}; return true;
    case QMetaType::UInt: *range = {0, UINT_MAX}; return true;
    case QMetaType::Long: *range = {double(LONG_MIN), highestDouble<long>()}; return true;
    case QMetaType::ULong: *range = {0, highestDouble<ulong>()}; return true;
    case QMetaType::LongLong: *range = {double(LLONG_MIN), highestDouble<qlonglong>()}; return true;
    case QMetaType::ULongLong: *range = {0, highestDouble<qulonglong>()}; return true;
    default: return false;
    }
}

// Scalars are not JSON documents of their own; one array around the text
// parses any single value and shows stray extra values.
bool parseOneJsonValue(const QString &text, QJsonValue *value)
{
    QJsonParseError status;
    const QJsonDocument document = QJsonDocument::fromJson("[" + text.toUtf8() + "]", &status);
    if (status.error != QJsonParseError::NoError || !document.isArray() || document.array().size() != 1)
        return false;
    *value = document.array().first();
    return true;
}

bool isByte(const QJsonValue &value)
{
    const double number = value.toDouble(-1);
    return value.isDouble() && number >= 0 && number <= 255 && number == std::floor(number);
}

// A byte block given as a JSON array of numbers or a hex string.
bool bytesFromJson(const QJsonValue &json, QByteArray *bytes, QString *problem)
{
    bytes->clear();
    if (json.isString()) {
        const QByteArray hex = json.toString().toLatin1();
        const bool allHex = std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(uchar(c)); });
        if (hex.size() % 2 != 0 || !allHex || json.toString().size() != hex.size()) {
            *problem = QStringLiteral("must be a hex string of whole bytes (\"0a1b\")");
            return false;
        }
        *bytes = QByteArray::fromHex(hex);
        return true;
    }
    if (json.isArray()) {
        for (const QJsonValue &element : json.toArray()) {
            if (!isByte(element)) {
                *problem = QStringLiteral("must hold numbers from 0 to 255 only");
                return false;
            }
            bytes->append(char(element.toInt()));
        }
        return true;
    }
    *problem = QStringLiteral("must be an array of bytes or a hex string");
    return false;
}

bool integerFromJson(const QJsonValue &json, QMetaType type, const IntegerRange &range, QVariant *out,
                     QString *problem)
{
    const double number = json.toDouble();
    if (!json.isDouble() || number != std::floor(number) || number < range.lowest || number > range.highest) {
        *problem = QStringLiteral("must be an integer from %1 to %2")
                       .arg(QString::number(range.lowest, 'f', 0), QString::number(range.highest, 'f', 0));
        return false;
    }
    *out = number < 0 ? QVariant(qlonglong(number)) : QVariant(qulonglong(number));
    if (!out->convert(type)) {
        *problem = QStringLiteral("does not fit %1").arg(QString::fromLatin1(type.name()));
        return false;
    }
    return true;
}

// Fills *out with a value of the given type; the JSON type must match the
// parameter's kind, no text is read as a number or the like.
bool valueFromJson(const QJsonValue &json, QMetaType type, QVariant *out, QString *problem)
{
    IntegerRange range;
    if (integerRange(type.id(), &range))
        return integerFromJson(json, type, range, out, problem);

    auto require = [&](bool fits, const char *what) {
        if (!fits)
            *problem = QStringLiteral("must be %1").arg(QLatin1String(what));
        return fits;
    };
    switch (type.id()) {
    case QMetaType::Bool:
        if (!require(json.isBool(), "true or false"))
            return false;
        *out = json.toBool();
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
        if (!require(json.isDouble(), "a number"))
            return false;
        *out = json.toDouble();
        return out->convert(type);
    case QMetaType::QString:
        if (!require(json.isString(), "a string in double quotes"))
            return false;
        *out = json.toString();
        return true;
    case QMetaType::QByteArray: {
        QByteArray bytes;
        if (!bytesFromJson(json, &bytes, problem))
            return false;
        *out = bytes;
        return true;
    }
    case QMetaType::QVariantList:
        if (!require(json.isArray(), "an array"))
            return false;
        *out = json.toArray().toVariantList();
        return true;
    case QMetaType::QStringList: {
        const QJsonArray array = json.toArray();
        const bool strings = std::all_of(array.begin(), array.end(), [](const QJsonValue &v) { return v.isString(); });
        if (!require(json.isArray() && strings, "an array of strings"))
            return false;
        *out = json.toVariant().toStringList();
        return true;
    }
    case QMetaType::QVariantMap:
        if (!require(json.isObject(), "an object"))
            return false;
        *out = json.toObject().toVariantMap();
        return true;
    case QMetaType::QVariantHash:
        if (!require(json.isObject(), "an object"))
            return false;
        *out = json.toObject().toVariantHash();
        return true;
    case QMetaType::QJsonValue:
        *out = QVariant::fromValue(json);
        return true;
    case QMetaType::QVariant:
        *out = json.toVariant();
        return true;
    default:
        break;
    }
    QVariant converted = json.toVariant();
    if (!type.isValid() || !converted.convert(type)) {
        *problem = QStringLiteral("has type %1, which gearctl cannot fill from JSON")
                       .arg(QString::fromLatin1(type.isValid() ? type.name() : "unknown"));
        return false;
    }
    *out = converted;
    return true;
}

} // namespace

bool SlotArguments::convertOne(Argument &argument, const QString &text, QString *problem)
{
    QJsonValue json;
    if (!parseOneJsonValue(text, &json)) {
        *problem = QStringLiteral("is not one JSON value: %1 (strings need double quotes)").arg(text);
        return false;
    }

    QByteArray baseType = argument.typeName;
    if (kBytePointerTypes.contains(baseType)) {
        QByteArray bytes;
        if (!bytesFromJson(json, &bytes, problem))
            return false;
        argument.isBuffer = argument.isOutput = true;
        argument.givenLength = int(bytes.size());
        argument.buffer = bytes;
        argument.buffer.append(qMax(0, kBufferSize - int(bytes.size())), '\0');
        return true;
    }
    if (baseType.endsWith('*')) {
        *problem = QStringLiteral("is a %1, which gearctl cannot fill").arg(QString::fromLatin1(baseType));
        return false;
    }
    if (baseType.endsWith('&')) {
        baseType.chop(1);
        argument.isOutput = true;
    }
    const QMetaType type = QMetaType::fromName(baseType);
    argument.isVariant = type.id() == QMetaType::QVariant;
    return valueFromJson(json, type, &argument.value, problem);
}

bool SlotArguments::convert(const QMetaMethod &method, const QStringList &jsonTexts, QString *error)
{
    m_arguments.clear();
    const QList<QByteArray> types = method.parameterTypes();
    const QList<QByteArray> names = method.parameterNames();
    for (int i = 0; i < jsonTexts.size(); ++i) {
        Argument argument;
        argument.typeName = types.value(i);
        argument.name = names.value(i).isEmpty() ? QStringLiteral("arg%1").arg(i + 1) : QString::fromLatin1(names[i]);
        QString problem;
        if (!convertOne(argument, jsonTexts[i], &problem)) {
            *error = QStringLiteral("argument %1 (%2 %3) %4")
                         .arg(i + 1)
                         .arg(QString::fromLatin1(argument.typeName), argument.name, problem);
            m_arguments.clear();
            return false;
        }
        m_arguments.push_back(std::move(argument));
    }
    return true;
}

void *SlotArguments::address(int index)
{
    Argument &argument = m_arguments[size_t(index)];
    if (argument.isBuffer) {
        argument.bufferStart = reinterpret_cast<uchar *>(argument.buffer.data());
        return &argument.bufferStart;
    }
    if (argument.isVariant)
        return &argument.value;
    return argument.value.data();
}

QList<SlotArguments::Output> SlotArguments::outputs() const
{
    QList<Output> outputs;
    for (const Argument &argument : m_arguments) {
        if (argument.isBuffer)
            outputs.append({argument.name, argument.buffer.left(argument.givenLength)});
        else if (argument.isOutput)
            outputs.append({argument.name, argument.value});
    }
    return outputs;
}
