#include "ini_values.h"

#include "serialized_values.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace {

const QLatin1String kInvalid("@Invalid()");
const QLatin1String kByteArray("@ByteArray(");
const QLatin1String kString("@String(");
const QLatin1String kVariant("@Variant(");

// The numbers of "@Rect(x y w h)" and its kin, split at single spaces.
QStringList argumentsOf(QStringView text, qsizetype open)
{
    QStringList result;
    QString item;
    for (const QChar ch : text.sliced(open + 1)) {
        if (ch == u')') {
            result.append(item);
        } else if (ch == u' ') {
            result.append(item);
            item.clear();
        } else {
            item.append(ch);
        }
    }
    return result;
}

std::optional<QVariant> geometry(const QString &text)
{
    if (text.startsWith(QLatin1String("@Rect("))) {
        const QStringList a = argumentsOf(text, 5);
        if (a.size() == 4)
            return QVariant(QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()));
    } else if (text.startsWith(QLatin1String("@Size("))) {
        const QStringList a = argumentsOf(text, 5);
        if (a.size() == 2)
            return QVariant(QSize(a[0].toInt(), a[1].toInt()));
    } else if (text.startsWith(QLatin1String("@Point("))) {
        const QStringList a = argumentsOf(text, 6);
        if (a.size() == 2)
            return QVariant(QPoint(a[0].toInt(), a[1].toInt()));
    }
    return std::nullopt;
}

QString plainText(const QString &text)
{
    if (text.contains(QChar::Null))
        return kString + text + u')';
    if (text.startsWith(u'@'))
        return u'@' + text;
    return text;
}

} // namespace

namespace IniValues {

QVariant fromText(const QString &text)
{
    if (!text.startsWith(u'@'))
        return text;
    if (text.endsWith(u')')) {
        if (text.startsWith(kByteArray))
            return QStringView(text).sliced(11).chopped(1).toLatin1();
        if (text.startsWith(kString))
            return text.sliced(8).chopped(1);
        if (text.startsWith(kVariant)) {
            // As the library reads it: the bytes after the parenthesis, one
            // per character, the closing parenthesis after the value.
            if (const auto value = SerializedValues::decode(QStringView(text).sliced(9).toLatin1()))
                return *value;
            return text;
        }
        if (const auto value = geometry(text))
            return *value;
        if (text == kInvalid)
            return QVariant();
    }
    if (text.startsWith(QLatin1String("@@")))
        return text.sliced(1);
    return text;
}

QVariant fromTexts(const QStringList &texts)
{
    QStringList plain = texts;
    for (QString &text : plain) {
        if (!text.startsWith(u'@'))
            continue;
        if (text.size() < 2 || text.at(1) != u'@') {
            QVariantList values;
            values.reserve(texts.size());
            for (const QString &t : texts)
                values.append(fromText(t));
            return values;
        }
        text.remove(0, 1);
    }
    return plain;
}

QString toText(const QVariant &value, bool *written)
{
    if (written)
        *written = true;
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return kInvalid;
    case QMetaType::QByteArray:
        return kByteArray + QString::fromLatin1(value.toByteArray()) + u')';
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double:
        return plainText(value.toString());
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default:
        break;
    }
    if (const auto bytes = SerializedValues::encode(value))
        return kVariant + QString::fromLatin1(*bytes) + u')';
    // Any other kind (a small number type, a date, an address) is kept as
    // its text, which is what the program reads back from a file anyway.
    QVariant converted = value;
    if (value.canConvert<QString>() && converted.convert(QMetaType::fromType<QString>()))
        return plainText(converted.toString());
    if (written)
        *written = false;
    return kInvalid;
}

QStringList toTexts(const QVariantList &values, bool *written)
{
    QStringList texts;
    texts.reserve(values.size());
    bool all = true;
    for (const QVariant &value : values) {
        bool one = true;
        texts.append(toText(value, &one));
        all = all && one;
    }
    if (written)
        *written = all;
    return texts;
}

bool isWrittenAsList(const QVariant &value)
{
    const int type = value.metaType().id();
    return type == QMetaType::QStringList || (type == QMetaType::QVariantList && value.toList().size() != 1);
}

} // namespace IniValues
