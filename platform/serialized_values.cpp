#include "serialized_values.h"

#include <QStringList>
#include <QtEndian>

#include <cstring>

namespace {

// Kind numbers of the binary form (the oldest form the settings files use,
// where these kinds have the numbers of the type system).
enum Kind : quint32 {
    Bool = 1,
    Int = 2,
    UInt = 3,
    LongLong = 4,
    ULongLong = 5,
    Double = 6,
    List = 9,
    Text = 10,
    TextList = 11,
};

constexpr int kMaxDepth = 4;
constexpr quint32 kNullText = 0xFFFFFFFF;

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}

    std::optional<QVariant> value(int depth)
    {
        const auto kind = number<quint32>();
        if (!kind)
            return std::nullopt;
        switch (*kind) {
        case Bool:
            if (const auto v = number<quint8>())
                return QVariant(*v != 0);
            return std::nullopt;
        case Int:
            return wrapped<qint32, int>();
        case UInt:
            return wrapped<quint32, uint>();
        case LongLong:
            return wrapped<qint64, qlonglong>();
        case ULongLong:
            return wrapped<quint64, qulonglong>();
        case Double: {
            const auto bits = number<quint64>();
            if (!bits)
                return std::nullopt;
            double d;
            std::memcpy(&d, &*bits, sizeof d);
            return QVariant(d);
        }
        case Text:
            if (const auto t = text())
                return QVariant(*t);
            return std::nullopt;
        case TextList:
            if (const auto l = textList())
                return QVariant(*l);
            return std::nullopt;
        case List:
            if (depth >= kMaxDepth)
                return std::nullopt;
            return list(depth + 1);
        default:
            return std::nullopt;
        }
    }

private:
    template <typename T> std::optional<T> number()
    {
        if (m_bytes.size() - m_at < qsizetype(sizeof(T)))
            return std::nullopt;
        const T v = qFromBigEndian<T>(m_bytes.data() + m_at);
        m_at += sizeof(T);
        return v;
    }

    template <typename Stored, typename Given> std::optional<QVariant> wrapped()
    {
        if (const auto v = number<Stored>())
            return QVariant::fromValue(Given(*v));
        return std::nullopt;
    }

    // A count of entries each taking at least `smallest` bytes: one that
    // could not fit in what is left is refused before anything is reserved.
    std::optional<quint32> count(qsizetype smallest)
    {
        const auto n = number<quint32>();
        if (!n || qsizetype(*n) > (m_bytes.size() - m_at) / smallest)
            return std::nullopt;
        return n;
    }

    std::optional<QString> text()
    {
        const auto length = number<quint32>();
        if (!length)
            return std::nullopt;
        if (*length == kNullText)
            return QString();
        if (*length % 2 != 0 || qsizetype(*length) > m_bytes.size() - m_at)
            return std::nullopt;
        QString result(qsizetype(*length / 2), Qt::Uninitialized);
        qFromBigEndian<char16_t>(m_bytes.data() + m_at, result.size(), result.data());
        m_at += *length;
        return result;
    }

    std::optional<QStringList> textList()
    {
        const auto n = count(4);
        if (!n)
            return std::nullopt;
        QStringList result;
        result.reserve(*n);
        for (quint32 i = 0; i < *n; ++i) {
            const auto t = text();
            if (!t)
                return std::nullopt;
            result.append(*t);
        }
        return result;
    }

    std::optional<QVariant> list(int depth)
    {
        const auto n = count(5);  // a kind and at least one byte
        if (!n)
            return std::nullopt;
        QVariantList result;
        result.reserve(*n);
        for (quint32 i = 0; i < *n; ++i) {
            const auto v = value(depth);
            if (!v)
                return std::nullopt;
            result.append(*v);
        }
        return QVariant(result);
    }

    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

template <typename T> void put(QByteArray &out, T v)
{
    char bytes[sizeof(T)];
    qToBigEndian<T>(v, bytes);
    out.append(bytes, sizeof(T));
}

void putText(QByteArray &out, const QString &text)
{
    if (text.isNull()) {
        put<quint32>(out, kNullText);
        return;
    }
    put<quint32>(out, quint32(text.size() * 2));
    for (const QChar ch : text)
        put<quint16>(out, ch.unicode());
}

bool putValue(QByteArray &out, const QVariant &value, int depth)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        put<quint32>(out, Bool);
        put<quint8>(out, value.toBool() ? 1 : 0);
        return true;
    case QMetaType::Int:
        put<quint32>(out, Int);
        put<qint32>(out, value.toInt());
        return true;
    case QMetaType::UInt:
        put<quint32>(out, UInt);
        put<quint32>(out, value.toUInt());
        return true;
    case QMetaType::LongLong:
        put<quint32>(out, LongLong);
        put<qint64>(out, value.toLongLong());
        return true;
    case QMetaType::ULongLong:
        put<quint32>(out, ULongLong);
        put<quint64>(out, value.toULongLong());
        return true;
    case QMetaType::Double: {
        const double d = value.toDouble();
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        put<quint32>(out, Double);
        put<quint64>(out, bits);
        return true;
    }
    case QMetaType::QString:
        put<quint32>(out, Text);
        putText(out, value.toString());
        return true;
    case QMetaType::QStringList: {
        const QStringList texts = value.toStringList();
        put<quint32>(out, TextList);
        put<quint32>(out, quint32(texts.size()));
        for (const QString &t : texts)
            putText(out, t);
        return true;
    }
    case QMetaType::QVariantList: {
        if (depth >= kMaxDepth)
            return false;
        const QVariantList values = value.toList();
        put<quint32>(out, List);
        put<quint32>(out, quint32(values.size()));
        for (const QVariant &v : values) {
            if (!putValue(out, v, depth + 1))
                return false;
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace

namespace SerializedValues {

std::optional<QVariant> decode(QByteArrayView bytes) { return Reader(bytes).value(0); }

std::optional<QByteArray> encode(const QVariant &value)
{
    QByteArray out;
    if (!putValue(out, value, 0))
        return std::nullopt;
    return out;
}

} // namespace SerializedValues
