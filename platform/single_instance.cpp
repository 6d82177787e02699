#include "single_instance.h"

#include "logging.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <unistd.h>

namespace {
constexpr int kConnectTimeoutMs = 200;
}

QString SingleInstance::defaultId(const QString &programPath)
{
    const QByteArray digest = QCryptographicHash::hash(programPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("gearconsole-%1-%2").arg(uint(getuid())).arg(QString::fromLatin1(digest));
}

SingleInstance::SingleInstance(const QString &id, QObject *parent)
    : QObject(parent), m_id(id.isEmpty() ? defaultId(QCoreApplication::applicationFilePath()) : id)
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::isRunning()
{
    if (m_server)
        return false;
    QLocalSocket probe;
    probe.connectToServer(m_id);
    if (probe.waitForConnected(kConnectTimeoutMs))
        return true;

    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_id)) {
        // A socket left behind by an instance that died: nobody answered it.
        QLocalServer::removeServer(m_id);
        if (!m_server->listen(m_id))
            qCWarning(lcPlatform) << "single instance: cannot listen on" << m_id << m_server->errorString();
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    return false;
}

bool SingleInstance::sendMessage(const QString &message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_id);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QDataStream out(&socket);
    out << message;
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QString message;
            in >> message;
            if (in.commitTransaction())
                emit messageReceived(message);
        });
    }
}
