// A host that records what the run tells the windows, for tests of the engine.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host.h"
#include "placeholder.h"

namespace rivex::testing {

class FakeHost : public Host {
  public:
    bool exclusion = false;
    bool grouped = false;
    std::vector<PlaceholderAnswer> answers;  // one per showing of the placeholder dialog
    std::function<void()> onShowProgress;

    std::vector<std::string> runLog;
    std::vector<std::string> messages;
    std::vector<std::string> progressTexts;  // "-" for a window without a placeholder
    int beeps = 0;
    int released = 0;
    int dialogs = 0;
    Focus focus = Focus::Unchanged;
    bool started = false;
    bool failed = false;
    std::optional<RunEnd> ended;

    void PumpEvents(const ReadProgress&) override {}
    void ShowProgress(const std::string* text) override {
        progressTexts.push_back(text ? *text : "-");
        if (onShowProgress) onShowProgress();
    }
    void ReleaseProgress() override { ++released; }
    bool ExclusionChecked() override { return exclusion; }
    bool GroupedOrder() override { return grouped; }
    bool AskPlaceholder(PlaceholderState& placeholder) override {
        ++dialogs;
        while (!answers.empty()) {
            const PlaceholderAnswer answer = answers.front();
            answers.erase(answers.begin());
            const auto refusal = AcceptPlaceholderAnswer(answer, placeholder);
            if (!refusal) return true;
            messages.push_back(refusal->message);
        }
        return false;
    }
    void ClearRunLog() override { runLog.clear(); }
    void AppendRunLog(std::string_view line) override { runLog.emplace_back(line); }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    void Beep() override { ++beeps; }
    void SetFocus(Focus control) override { focus = control; }
    TimeOfDay Now() override { return {9, 5, 7}; }
    void ClearTotals() override {}
    void RunStarted(std::string_view) override { started = true; }
    void RunEnded(const RunEnd& end) override { ended = end; }
    void RunFailed() override { failed = true; }
};

}  // namespace rivex::testing
