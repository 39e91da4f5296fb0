#include "platform/Signals.h"

#include <csignal>
#include <initializer_list>

namespace kv {

namespace {

volatile std::sig_atomic_t quitSignal = 0;

void recordQuitSignal(int signal)
{
    quitSignal = signal;
}

} // namespace

void installQuitSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = recordQuitSignal;
    sigemptyset(&action.sa_mask);
    // Reads and writes under way go on; the close road needs them whole.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        // Whoever started us asked for it to be ignored (nohup, a script's background job).
        if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        sigaction(signal, &action, nullptr);
    }
}

int quitSignalReceived()
{
    return quitSignal;
}

} // namespace kv
