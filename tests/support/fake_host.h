// A host that records what the run tells the windows, for tests of the engine.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/catalogue.h"
#include "engine/host.h"
#include "engine/placeholder.h"

namespace rivex::testing {

class FakeHost : public Host {
  public:
    bool exclusion = false;
    bool grouped = false;
    std::vector<PlaceholderAnswer> answers;  // one per showing of the placeholder dialog
    std::function<void()> onShowProgress;

    std::vector<std::string> runLog;
    std::vector<std::string> messages;       // the placeholder dialog's refusals
    std::vector<std::string> progressTexts;  // "-" for a window without a placeholder
    int released = 0;
    int dialogs = 0;
    bool started = false;

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
            messages.push_back(Say(Language::Japanese, refusal->message));
        }
        return false;
    }
    void RunStarted(TimeOfDay) override { started = true; }
    void AppendRunLog(const RunLogEntry& entry) override {
        for (std::string& line : RunLogLines(Language::Japanese, entry)) runLog.push_back(line);
    }
    TimeOfDay Now() override { return {9, 5, 7}; }
};

}  // namespace rivex::testing
