#include "flash_tool.h"

#include <csignal>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {
firmware::UpdateEngine g_engine;

// An interrupt, a closed terminal or a termination ends the update at its next safe point,
// which then says what the keyboard holds; nothing is cut off in the middle of a transfer.
// The signals are blocked in every thread and taken by one of their own: delivered to a
// thread waiting for the device, a signal would break its transfer off with a failure.
void stopOnSignals()
{
    sigset_t stops;
    sigemptyset(&stops);
    for (int signal : {SIGINT, SIGHUP, SIGTERM})
        sigaddset(&stops, signal);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
    std::thread([stops] {
        for (int signal = 0; sigwait(&stops, &signal) == 0;)
            g_engine.requestStop();
    }).detach();
}
}  // namespace

int main(int argc, char **argv)
{
    stopOnSignals();
    return flashtool::runFlashTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, &g_engine);
}
