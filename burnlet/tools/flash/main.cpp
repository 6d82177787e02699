#include "flash_tool.h"

#include <csignal>
#include <iostream>

namespace {
firmware::UpdateEngine g_engine;

// An interrupt, a closed terminal or a termination ends the update at its next safe point,
// which then says what the keyboard holds; nothing is cut off in the middle of a transfer.
extern "C" void stopAtSafePoint(int)
{
    g_engine.requestStop();
}

void catchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = stopAtSafePoint;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGHUP, SIGTERM})
        sigaction(signal, &action, nullptr);
}
}  // namespace

int main(int argc, char **argv)
{
    static_assert(std::atomic<bool>::is_always_lock_free, "the stop request must be safe in a signal handler");
    catchStopSignals();
    return flashtool::runFlashTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr, &g_engine);
}
