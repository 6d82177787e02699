#pragma once
// SIGINT, SIGTERM and SIGHUP turned into a Qt signal on the GUI thread (through a pipe the
// handler writes one byte into), so that an update ends at a safe point and says so
// instead of being cut off.
#include <QObject>

#include <functional>

class QSocketNotifier;
class UpdateSession;

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

// What the update program does with them: a running update is stopped at its next safe
// point and `ended` gets the message saying what the keyboard holds once it has stopped;
// without an update under way `ended` comes at once (with an empty message).
void endOnStopSignals(StopSignals &source, UpdateSession &session, std::function<void(const QString &)> ended);
