#pragma once
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QString>

// Where every writer of the user's files reports a save that did not happen
// (a full disk, a folder that cannot be written), and every store reports a
// file it put aside unread. Each report is one log line; the main window
// turns the signals into a message the user sees.
class SaveFailures : public QObject
{
    Q_OBJECT

public:
    static SaveFailures &instance();

    // Logs "not saved: <file> - <reason>" and emits failed().
    void report(const QString &file, const QString &reason);

    // Emits putAside(); a store opened before the window listens (most are)
    // is kept until takeUnseenPutAside() hands it over.
    void reportPutAside(const QString &file, const QString &aside);
    QList<QPair<QString, QString>> takeUnseenPutAside();

signals:
    void failed(const QString &file, const QString &reason);
    void putAside(const QString &file, const QString &aside);

private:
    SaveFailures() = default;

    QMutex m_lock;
    QList<QPair<QString, QString>> m_unseenPutAside;
};
