// When the run lets the windows work: between records and while the source is read, at most
// kPumpInterval apart, so the progress window stays painted and its cancel button is heard.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/host.h"
#include "engine/state.h"

namespace rivex {

class EventPump {
  public:
    static constexpr auto kPumpInterval = std::chrono::milliseconds(50);
    // Between records the clock is looked at only this often, so that the loop runs at
    // memory speed; a slow source is looked after at each of its reads.
    static constexpr std::int64_t kCheckRecords = 4096;

    EventPump(Host& host, EngineState& state, std::optional<std::uint64_t> sourceSize)
        : host_(host), state_(state), sourceSize_(sourceSize) {}

    // After a record; true when events were pumped, so the live controls may have changed.
    bool Tick(std::uint64_t bytesRead) {
        if (state_.run.SourceCount < nextCheck_) return false;
        nextCheck_ = state_.run.SourceCount + kCheckRecords;
        return Poll(bytesRead);
    }

    // Pumps events when kPumpInterval has passed since the last time; true when it did. A
    // stop signal that came counts as a confirmed cancel.
    bool Poll(std::uint64_t bytesRead);

    // The line rule the pass reads by, shown from now on, at once.
    void ShowLineRule(LineRule rule, bool automatic);

  private:
    Host& host_;
    EngineState& state_;
    std::optional<std::uint64_t> sourceSize_;
    std::optional<LineRule> lineRule_;
    bool lineRuleAutomatic_ = false;
    std::int64_t nextCheck_ = kCheckRecords;
    std::chrono::steady_clock::time_point lastPump_ = std::chrono::steady_clock::now();
};

}  // namespace rivex
