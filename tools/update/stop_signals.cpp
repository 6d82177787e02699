#include "stop_signals.h"

#include "update_session.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};

extern "C" void forward(int signal)
{
    const unsigned char byte = static_cast<unsigned char>(signal);
    (void)::write(g_pipe[1], &byte, 1);
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
} // namespace

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            emit received(byte);
    });
    struct sigaction action {};
    action.sa_handler = forward;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals()
{
    for (int signal : kStopSignals)
        std::signal(signal, SIG_DFL);
}

void endOnStopSignals(StopSignals &source, UpdateSession &session, std::function<void(const QString &)> ended)
{
    auto ending = std::make_shared<bool>(false);
    QObject::connect(&source, &StopSignals::received, &session, [&session, ending, ended](int) {
        *ending = true;
        if (session.isUpdating()) {
            session.requestStop();
            return;
        }
        *ending = false;
        ended(QString());
    });
    QObject::connect(&session, &UpdateSession::changed, &session, [&session, ending, ended] {
        if (!*ending || session.isUpdating())
            return;
        *ending = false;
        ended(session.message());
    });
}
