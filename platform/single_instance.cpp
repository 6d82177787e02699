#include "single_instance.h"

#include "logging.h"
#include "private_folder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <unistd.h>

namespace {
constexpr int kConnectTimeoutMs = 200;
constexpr int kConnectRetryMs = 20;

} // namespace

QString SingleInstance::socketPath(const QString &id)
{
    const QString folder = privateRuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + id;
}

QString SingleInstance::defaultId(const QString &programPath)
{
    const QByteArray digest = QCryptographicHash::hash(programPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("gearconsole-%1-%2").arg(uint(getuid())).arg(QString::fromLatin1(digest));
}

SingleInstance::SingleInstance(const QString &id, QObject *parent)
    : QObject(parent), m_id(id.isEmpty() ? defaultId(QCoreApplication::applicationFilePath()) : id),
      m_socket(socketPath(m_id))
{
}

SingleInstance::~SingleInstance()
{
    // Closing removes the socket file by name: done while the lock is still
    // held, so that it never removes the socket of an instance started since.
    delete m_server;
    m_server = nullptr;
}

bool SingleInstance::isRunning()
{
    if (m_server)
        return false;
    if (m_socket.isEmpty()) {
        qCWarning(lcPlatform) << "single instance: no private runtime folder - running without the check";
        return false;
    }
    const QString lockFilePath = m_socket + QStringLiteral(".lock");
    // Probing the socket and then taking it were two steps, which two starts
    // at the same moment could both pass. The lock is taken in one step; a
    // lock whose holder died is stale and taken over (never by age alone).
    m_lock = std::make_unique<QLockFile>(lockFilePath);
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        const bool heldByAnother = m_lock->error() == QLockFile::LockFailedError;
        m_lock.reset();
        if (heldByAnother)
            return true;
        qCWarning(lcPlatform) << "single instance: cannot create" << lockFilePath << "- going by the socket alone";
        if (connectedBySocketAlone())
            return true;
    }

    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // With the lock held, a socket already there was left by an instance that died.
    QLocalServer::removeServer(m_socket);
    if (!m_server->listen(m_socket))
        qCWarning(lcPlatform) << "single instance: cannot listen on" << m_socket << m_server->errorString();
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    return false;
}

bool SingleInstance::connectedBySocketAlone()
{
    QLocalSocket probe;
    probe.connectToServer(m_socket);
    return probe.waitForConnected(kConnectTimeoutMs);
}

bool SingleInstance::sendMessage(const QString &message, int timeoutMs)
{
    if (m_socket.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_socket);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kConnectRetryMs);
    }
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
