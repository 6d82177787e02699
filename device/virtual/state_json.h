#pragma once
#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QList>
#include <QString>

// The state file writes byte blocks as lowercase hex strings.
inline QJsonValue hexValue(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex()); }

inline QJsonArray hexArray(const QList<QByteArray> &blocks)
{
    QJsonArray array;
    for (const QByteArray &block : blocks)
        array.append(hexValue(block));
    return array;
}

// Writes a received block over the start of a stored one: a device keeps its
// buffer size whatever length a command announced.
inline void storeBlock(QByteArray &stored, const QByteArray &block)
{
    stored.replace(0, qMin(stored.size(), block.size()), block.left(stored.size()));
}
