#include "engine/stop_signals.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace rivex {
namespace {

// Lock-free, so a handler may store it and any thread may read it.
std::atomic<int> stopSignal = 0;
static_assert(std::atomic<int>::is_always_lock_free);

// Both ends of the pipe a handler writes a byte to, so that an event loop wakes at once.
int wakeUp[2] = {-1, -1};

void Record(int signal) {
    stopSignal.store(signal, std::memory_order_relaxed);
    const int saved = errno;
    const char byte = 1;
    if (wakeUp[1] >= 0) {
        const ssize_t written = ::write(wakeUp[1], &byte, 1);
        static_cast<void>(written);  // a full pipe wakes the loop already
    }
    errno = saved;
}

}  // namespace

// Without SA_RESTART, so that a read or wait that blocks returns and the run can look. A
// signal ignored when the program started (nohup, a background job) stays ignored.
void CatchStopSignals() {
    if (wakeUp[0] < 0 && ::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) wakeUp[0] = wakeUp[1] = -1;
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

int StopSignalWakeUp() {
    return wakeUp[0];
}

void DrainStopSignalWakeUp() {
    char bytes[64];
    while (wakeUp[0] >= 0 && ::read(wakeUp[0], bytes, sizeof bytes) > 0) {
    }
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
