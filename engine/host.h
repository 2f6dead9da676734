// What the run needs of the windows while it goes on: the main window's program, or the
// batch program. What a run ends with is returned by Extract, and its caller shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/run_log.h"
#include "engine/state.h"
#include "engine/text_format.h"

namespace rivex {

// How far the current pass has read, for the progress window.
struct ReadProgress {
    std::uint64_t bytesRead;
    std::optional<std::uint64_t> sourceSize;  // unknown for a pipe or device
    std::int64_t records;
    std::optional<LineRule> lineRule = {};  // the line rule of the pass, once known
    bool lineRuleAutomatic = false;         // decided from the file
};

class Host {
  public:
    virtual ~Host() = default;

    // Processes pending window events: paints, timers, the cancel button. The record loop
    // calls it at most a few tens of ms apart.
    virtual void PumpEvents(const ReadProgress& progress) = 0;

    // A fresh progress window for the pass, shown without blocking; `placeholderText` is
    // null when the source name holds no "@".
    virtual void ShowProgress(const std::string* placeholderText) = 0;
    virtual void ReleaseProgress() = 0;

    // The two controls the code loop reads while it runs.
    virtual bool ExclusionChecked() = 0;  // records whose code is in no range wanted
    virtual bool GroupedOrder() = 0;      // codes said to stand grouped

    // The default beep, then the placeholder dialog, modal: false when it was closed
    // without "次　へ".
    virtual bool AskPlaceholder(PlaceholderState& placeholder) = 0;

    // The checks have passed: the run starts at `start`.
    virtual void RunStarted(TimeOfDay start) = 0;
    virtual void AppendRunLog(const RunLogEntry& entry) = 0;
    virtual TimeOfDay Now() = 0;
};

}  // namespace rivex
