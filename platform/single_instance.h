#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

// One running instance per user and installation. The first instance
// listens on a local socket; a later one finds it, hands over one message
// and leaves. The name is derived from the program's path and the user, so
// that two installations do not wake each other.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // An empty id takes the default one for this program.
    explicit SingleInstance(const QString &id = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultId(const QString &programPath);
    QString id() const { return m_id; }

    // True when another instance holds the name; otherwise this one takes it.
    bool isRunning();
    // Sends a message to the running instance; false when it did not go out
    // within the time-out.
    bool sendMessage(const QString &message, int timeoutMs);

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();

    QString m_id;
    QLocalServer *m_server = nullptr;
};
