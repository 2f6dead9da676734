// The host of a run without windows: RunLog lines to standard output, message boxes to
// standard error, the placeholder dialog answered from the command line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

#include "app/batch_options.h"
#include "engine/host.h"

namespace rivex {

class BatchHost : public Host {
  public:
    // The RunLog goes to standard error when standard output takes the records.
    explicit BatchHost(const BatchRequest& request);

    void PumpEvents(const ReadProgress&) override {}
    void ShowProgress(const std::string*) override {}
    void ReleaseProgress() override {}
    bool ExclusionChecked() override { return request_.form.ExcludeListed; }
    bool GroupedOrder() override { return request_.form.Order == CodeOrder::Grouped; }
    bool AskPlaceholder(PlaceholderState& placeholder) override;
    void RunStarted(TimeOfDay) override {}
    void AppendRunLog(const RunLogEntry& entry) override;
    TimeOfDay Now() override { return LocalTimeOfDay(); }

    // A message box's text as one line (a line break in it as a line feed).
    void ShowMessage(std::string_view text);

  private:
    const BatchRequest& request_;
    std::FILE* const runLog_;
    std::size_t nextAnswer_ = 0;
};

}  // namespace rivex
