// SIGINT, SIGTERM and SIGHUP end a run like a confirmed cancel: the output keeps whole
// records, the files are closed and the RunLog so far stays.
#pragma once

#include <csignal>

namespace rivex {

// From now on each of the three signals only records that it came.
void CatchStopSignals();

// The last stop signal that came, or 0.
int StopSignal();

// A descriptor that becomes readable when a stop signal comes, for an event loop to watch
// (-1 before CatchStopSignals or when no pipe could be made); drained by the second call.
int StopSignalWakeUp();
void DrainStopSignalWakeUp();

// Blocks every signal in the calling thread while it lives: a helper thread started meanwhile
// inherits the mask, so signals are always delivered to the thread that looks at them.
class SignalsBlocked {
  public:
    SignalsBlocked();
    ~SignalsBlocked();
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

  private:
    sigset_t saved_;
};

}  // namespace rivex
