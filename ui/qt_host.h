// The host of a run started from the main window: events pumped through Qt, the progress
// window, the record-count list's memo, message boxes and the placeholder dialog.
#pragma once

#include <QPointer>

#include "host.h"

namespace rivex::ui {

class TForm1;
class TForm2;

class QtHost : public Host {
  public:
    QtHost(TForm1& main, EngineState& state) : main_(main), state_(state) {}

    void PumpEvents(const ReadProgress& progress) override;
    void ShowProgress(const std::string* placeholderText) override;
    void ReleaseProgress() override;
    bool ExclusionChecked() override;
    bool GroupedOrder() override;
    bool AskPlaceholder(PlaceholderState& placeholder) override;
    void ClearRunLog() override;
    void AppendRunLog(std::string_view line) override;
    void ShowMessage(std::string_view text) override;
    void Beep() override;
    void SetFocus(Focus control) override;
    TimeOfDay Now() override { return LocalTimeOfDay(); }
    void ClearTotals() override;
    void RunStarted(std::string_view startClock) override;
    void RunEnded(const RunEnd& end) override;
    void RunFailed() override;

  private:
    TForm1& main_;
    EngineState& state_;
    QPointer<TForm2> progress_;
};

}  // namespace rivex::ui
