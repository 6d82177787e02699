#include "result_printing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

namespace {

bool isSignedInteger(int typeId)
{
    return typeId == QMetaType::Char || typeId == QMetaType::SChar || typeId == QMetaType::Short
        || typeId == QMetaType::Int || typeId == QMetaType::Long || typeId == QMetaType::LongLong;
}

bool isUnsignedInteger(int typeId)
{
    return typeId == QMetaType::UChar || typeId == QMetaType::UShort || typeId == QMetaType::UInt
        || typeId == QMetaType::ULong || typeId == QMetaType::ULongLong;
}

// QJsonDocument writes only arrays and objects; a one-element array gives
// the compact text of any value.
QByteArray compact(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

} // namespace

QJsonValue jsonFromValue(const QVariant &value)
{
    const int typeId = value.metaType().id();
    if (!value.isValid() || typeId == QMetaType::Nullptr)
        return QJsonValue::Null;
    if (isSignedInteger(typeId))
        return QJsonValue(value.toLongLong());
    if (isUnsignedInteger(typeId))
        return value.toULongLong() <= quint64(std::numeric_limits<qint64>::max()) ? QJsonValue(value.toLongLong())
                                                                                  : QJsonValue(value.toDouble());
    if (typeId == QMetaType::QByteArray)
        return QString::fromLatin1(value.toByteArray().toHex());
    if (typeId == QMetaType::QVariantList || typeId == QMetaType::QStringList) {
        QJsonArray array;
        for (const QVariant &element : value.toList())
            array.append(jsonFromValue(element));
        return array;
    }
    if (typeId == QMetaType::QVariantMap || typeId == QMetaType::QVariantHash) {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            object.insert(it.key(), jsonFromValue(it.value()));
        return object;
    }
    const QJsonValue json = QJsonValue::fromVariant(value);
    if (json.isNull() || json.isUndefined())
        return value.canConvert<QString>() ? QJsonValue(value.toString()) : QJsonValue(QJsonValue::Null);
    return json;
}

QByteArray resultLine(const QVariant &returnValue, const QList<SlotArguments::Output> &outputs)
{
    // Written by hand to keep "return" first and the outputs in parameter
    // order; QJsonObject would sort the keys.
    QByteArray line = "{\"return\":" + compact(jsonFromValue(returnValue));
    if (!outputs.isEmpty()) {
        line += ",\"outputs\":{";
        for (int i = 0; i < outputs.size(); ++i) {
            if (i > 0)
                line += ',';
            line += compact(outputs[i].name) + ':' + compact(jsonFromValue(outputs[i].value));
        }
        line += '}';
    }
    return line + '}';
}
