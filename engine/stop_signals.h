// SIGINT, SIGTERM and SIGHUP end a run like a confirmed cancel: the output keeps whole
// records, the files are closed and the RunLog so far stays.
#pragma once

namespace rivex {

// From now on each of the three signals only records that it came.
void CatchStopSignals();

// The last stop signal that came, or 0.
int StopSignal();

}  // namespace rivex
