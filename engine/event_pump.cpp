#include "engine/event_pump.h"

#include <utility>

#include "engine/stop_signals.h"

namespace rivex {

bool EventPump::Poll(std::uint64_t bytesRead) {
    if (StopSignal() != 0) state_.CancelFlag = true;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpInterval) return false;
    lastPump_ = now;
    host_.PumpEvents(
        {bytesRead, sourceSize_, state_.run.SourceCount, lineRule_, lineRuleAutomatic_});
    return true;
}

void EventPump::ShowLineRule(LineRule rule, bool automatic) {
    lineRule_ = rule;
    lineRuleAutomatic_ = automatic;
    lastPump_ = std::chrono::steady_clock::now();
    host_.PumpEvents({0, sourceSize_, state_.run.SourceCount, lineRule_, lineRuleAutomatic_});
}

}  // namespace rivex
