#include "copy_data_channel.h"

#include "logging.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

namespace {
constexpr int kHeaderBytes = 8;
// A text of count bytes travels with its zero terminator.
constexpr quint32 kTerminator = 1;
} // namespace

std::optional<QString> warningTextOf(const CopyDataMessage &message)
{
    constexpr quint32 kWarningDataWord = 9487;
    if (message.dwData != kWarningDataWord)
        return std::nullopt;
    const qsizetype end = message.lpData.indexOf('\0');
    const QString text = QString::fromUtf8(end < 0 ? message.lpData : message.lpData.left(end));
    if (quint32(text.toUtf8().size()) != message.cbData)
        return std::nullopt;
    return text;
}

CopyDataChannel::CopyDataChannel(QObject *parent) : QObject(parent) {}

QString CopyDataChannel::serverName(const QString &instanceId) { return instanceId + QStringLiteral("-messages"); }

bool CopyDataChannel::listen(const QString &name)
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        QLocalServer::removeServer(name);
        if (!m_server->listen(name)) {
            qCWarning(lcPlatform) << "message channel: cannot listen on" << name << m_server->errorString();
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto buffer = std::make_shared<QByteArray>();
            // The socket is the context: once it is gone, nothing reads through it.
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket, buffer] { readFrom(socket, *buffer); });
        }
    });
    return true;
}

void CopyDataChannel::readFrom(QLocalSocket *socket, QByteArray &buffer)
{
    buffer += socket->readAll();
    bool malformed = false;
    const QList<CopyDataMessage> messages = decode(buffer, &malformed);
    if (malformed) {
        qCWarning(lcPlatform) << "message channel: malformed message dropped";
        socket->abort();
    }
    // A receiver may open a modal box, whose event loop can see this socket
    // disconnect and delete it: messages go out from the event loop, never
    // from inside the socket's signal.
    for (const CopyDataMessage &message : messages)
        QMetaObject::invokeMethod(this, [this, message] { emit messageReceived(message); }, Qt::QueuedConnection);
}

QByteArray CopyDataChannel::encode(quint32 dwData, const QByteArray &bytes, quint32 declaredCount)
{
    QByteArray out(kHeaderBytes, '\0');
    qToLittleEndian(dwData, out.data());
    qToLittleEndian(declaredCount, out.data() + 4);
    return out + bytes;
}

QList<CopyDataMessage> CopyDataChannel::decode(QByteArray &buffer, bool *malformed)
{
    QList<CopyDataMessage> messages;
    if (malformed)
        *malformed = false;
    while (buffer.size() >= kHeaderBytes) {
        CopyDataMessage message;
        message.dwData = qFromLittleEndian<quint32>(buffer.constData());
        message.cbData = qFromLittleEndian<quint32>(buffer.constData() + 4);
        if (message.cbData > kMaxBytes) {
            buffer.clear();
            if (malformed)
                *malformed = true;
            break;
        }
        const qsizetype total = kHeaderBytes + qsizetype(message.cbData + kTerminator);
        if (buffer.size() < total)
            break;
        message.lpData = buffer.mid(kHeaderBytes, qsizetype(message.cbData + kTerminator));
        buffer.remove(0, total);
        messages.append(message);
    }
    return messages;
}
