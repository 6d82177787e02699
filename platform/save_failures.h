#pragma once
#include <QObject>
#include <QString>

// Where every writer of the user's files reports a save that did not happen
// (a full disk, a folder that cannot be written). Each report is one log
// line; the main window turns the signal into a message the user sees.
class SaveFailures : public QObject
{
    Q_OBJECT

public:
    static SaveFailures &instance();

    // Logs "not saved: <file> - <reason>" and emits failed().
    void report(const QString &file, const QString &reason);

signals:
    void failed(const QString &file, const QString &reason);

private:
    SaveFailures() = default;
};
