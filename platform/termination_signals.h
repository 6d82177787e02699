#pragma once
#include <QObject>

class QSocketNotifier;

// SIGTERM (a logout, `systemctl --user stop`, a plain kill), SIGINT and
// SIGHUP, turned into a signal of the event loop: the handler only writes
// the number to a pipe, and the loop reads it, so the program ends as its
// tray's Quit ends it, with its stores written and its sockets removed. One
// object per process; the handlers stay until it is destroyed.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
