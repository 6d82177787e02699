#pragma once
#include <QMutex>
#include <QStringList>

// Collects the program's log lines ("category: message") while it lives.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QStringList lines() const;
    int count(const QString &fragment) const;

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
};
