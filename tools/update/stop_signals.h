#pragma once
// SIGINT, SIGTERM and SIGHUP turned into a Qt signal on the GUI thread (through a pipe the
// handler writes one byte into), so that an update ends at a safe point and says so
// instead of being cut off.
#include <QObject>

class QSocketNotifier;

class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

signals:
    void received(int signal);

private:
    QSocketNotifier *m_notifier = nullptr;
};
