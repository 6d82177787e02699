#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QLocalServer;
class QLocalSocket;

// A message another process hands to the program: a data word and a block
// of bytes, the Linux counterpart of a copy-data window message.
struct CopyDataMessage
{
    quint32 dwData = 0;
    quint32 cbData = 0;   // the byte count the sender declared
    QByteArray lpData;    // the bytes that came
};

// The warning text a message carries: data word 9487, and a byte count
// equal to the UTF-8 length of the text up to its zero byte (an empty text
// with a count of 0 is one too). None when the message is anything else.
std::optional<QString> warningTextOf(const CopyDataMessage &message);

// Receives such messages on a local socket beside the single-instance
// channel. Wire format per message, little-endian:
//   4 bytes data word, 4 bytes byte count n, then n bytes (a warning text
//   is UTF-8 followed by one zero byte, which the count does not include).
// A connection may carry several messages; anything malformed is dropped.
// messageReceived is emitted from the event loop after the bytes were read,
// so a receiver may run a modal box while the sender disconnects.
class CopyDataChannel : public QObject
{
    Q_OBJECT

public:
    static constexpr quint32 kMaxBytes = 64 * 1024;

    explicit CopyDataChannel(QObject *parent = nullptr);
    static QString serverName(const QString &instanceId);
    bool listen(const QString &name);
    // Encodes one message the way senders write it.
    static QByteArray encode(quint32 dwData, const QByteArray &bytes, quint32 declaredCount);
    // Splits buffered bytes into messages; leaves an incomplete tail in place.
    static QList<CopyDataMessage> decode(QByteArray &buffer, bool *malformed = nullptr);

signals:
    void messageReceived(const CopyDataMessage &message);

private:
    void readFrom(QLocalSocket *socket, QByteArray &buffer);

    QLocalServer *m_server = nullptr;
};
