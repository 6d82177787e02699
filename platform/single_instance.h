#pragma once
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// One running instance per user and installation. The instance that holds
// a lock file beside the local socket is the running one and listens on the
// socket; a later start cannot take the lock, hands over one message and
// leaves. The name is derived from the program's path and the user, so that
// two installations do not wake each other. Lock and socket live in the
// user's private runtime folder, where no other user can put anything in
// their way; where there is none, the program runs without the check.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // An empty id takes the default one for this program.
    explicit SingleInstance(const QString &id = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultId(const QString &programPath);
    QString id() const { return m_id; }
    // Where this instance's socket is ("" without a private folder).
    QString socket() const { return m_socket; }
    // The socket of the instance with this id ("" without a private folder),
    // and a socket of another name beside it.
    static QString socketPath(const QString &id);

    // True when another instance holds the name; otherwise this one takes it.
    bool isRunning();
    // Sends a message to the running instance; false when it did not go out
    // within the time-out (an instance that took the lock a moment ago may
    // not listen yet: connecting is retried until then).
    bool sendMessage(const QString &message, int timeoutMs);

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();
    bool connectedBySocketAlone();

    QString m_id;
    QString m_socket;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
