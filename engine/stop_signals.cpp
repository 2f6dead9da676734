#include "engine/stop_signals.h"

#include <csignal>
#include <initializer_list>

namespace rivex {
namespace {

volatile std::sig_atomic_t stopSignal = 0;

void Record(int signal) {
    stopSignal = signal;
}

}  // namespace

// Without SA_RESTART, so that a read or wait that blocks returns and the run can look.
void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = Record;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

int StopSignal() {
    return stopSignal;
}

}  // namespace rivex
