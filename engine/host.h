// What the run needs of the windows: the main window's program, or the batch program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "form_input.h"
#include "state.h"
#include "text_format.h"

namespace rivex {

// How far the current pass has read, for the progress window.
struct ReadProgress {
    std::uint64_t bytesRead;
    std::optional<std::uint64_t> sourceSize;  // unknown for a pipe or device
    std::int64_t records;
};

// What the main window shows at the end of a run.
struct RunEnd {
    bool mayBePartial;       // grouped code order: "( 途中までの場合があります )"
    std::string totalText;   // records written in the run
    std::string sourceText;  // records of the last source file opened
    std::string endClock;
};

class Host {
  public:
    virtual ~Host() = default;

    // Processes pending window events: paints, timers, the cancel button. The record loop
    // calls it every few thousand records or megabytes, at most every few tens of ms.
    virtual void PumpEvents(const ReadProgress& progress) = 0;

    // A fresh progress window for the pass, shown without blocking; `placeholderText` is
    // null when the source name holds no "@".
    virtual void ShowProgress(const std::string* placeholderText) = 0;
    virtual void ReleaseProgress() = 0;

    // The two controls the code loop reads while it runs.
    virtual bool ExclusionChecked() = 0;  // CheckBox1
    virtual bool GroupedOrder() = 0;      // RadioButton4

    // The placeholder dialog, modal: false when it was closed without "次　へ".
    virtual bool AskPlaceholder(PlaceholderState& placeholder) = 0;

    virtual void ClearRunLog() = 0;
    virtual void AppendRunLog(std::string_view line) = 0;
    virtual void ShowMessage(std::string_view text) = 0;
    virtual void Beep() = 0;
    virtual void SetFocus(Focus control) = 0;
    virtual TimeOfDay Now() = 0;

    // The main window: the last run's totals cleared at a press of the extract button; the
    // end button disabled and the start time shown; the end of a run; a run ended by an
    // error (its files are closed by then).
    virtual void ClearTotals() = 0;
    virtual void RunStarted(std::string_view startClock) = 0;
    virtual void RunEnded(const RunEnd& end) = 0;
    virtual void RunFailed() = 0;
};

}  // namespace rivex
