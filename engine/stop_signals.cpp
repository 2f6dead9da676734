#include "engine/stop_signals.h"

#include <pthread.h>

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace rivex {
namespace {

// Lock-free, so a handler may store it and any thread may read it.
std::atomic<int> stopSignal = 0;
static_assert(std::atomic<int>::is_always_lock_free);

void Record(int signal) {
    stopSignal.store(signal, std::memory_order_relaxed);
}

}  // namespace

// Without SA_RESTART, so that a read or wait that blocks returns and the run can look. A
// signal ignored when the program started (nohup, a background job) stays ignored.
void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = Record;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

int StopSignal() {
    return stopSignal.load(std::memory_order_relaxed);
}

SignalsBlocked::SignalsBlocked() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &saved_);
}

SignalsBlocked::~SignalsBlocked() {
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

}  // namespace rivex
