#pragma once
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QString>

// Where every writer of the user's files reports a save that did not happen
// (a full disk, a folder that cannot be written), every store a file it
// could not read, and every import a file it did not take. Each report is
// one log line; the main window turns the signals into a message the user
// sees.
class SaveFailures : public QObject
{
    Q_OBJECT

public:
    static SaveFailures &instance();

    // Logs "not saved: <file> - <reason>" and emits failed().
    void report(const QString &file, const QString &reason);

    // A store's file that could not be read, kept as `aside` (empty: it
    // could not be put aside and stays where it is). Emits putAside(); a
    // store opened before the window listens (most are) is kept until
    // takeUnseenPutAside() hands it over.
    struct PutAside
    {
        QString file, aside, reason;
    };
    void reportPutAside(const QString &file, const QString &aside, const QString &reason);
    QList<PutAside> takeUnseenPutAside();

    // Logs "not imported: <file> - <reason>" and emits notImported(): a
    // chosen file that was not taken, and nothing was changed.
    void reportNotImported(const QString &file, const QString &reason);

signals:
    void failed(const QString &file, const QString &reason);
    void putAside(const QString &file, const QString &aside, const QString &reason);
    void notImported(const QString &file, const QString &reason);

private:
    SaveFailures() = default;

    QMutex m_lock;
    QList<PutAside> m_unseenPutAside;
};
