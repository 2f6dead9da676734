// The host of a run started from the main window: events pumped through Qt, the progress
// window, the record-count list's memo and the placeholder dialog.
#pragma once

#include <QPointer>

#include "engine/host.h"

class QAbstractButton;

namespace rivex::ui {

class TForm1;
class TForm2;
class TForm5;

class QtHost : public Host {
  public:
    // `exclusion` and `grouped` are the main window's CheckBox1 and RadioButton4.
    QtHost(TForm1& main, EngineState& state, const QAbstractButton& exclusion,
           const QAbstractButton& grouped)
        : main_(main), state_(state), exclusion_(exclusion), grouped_(grouped) {}

    void SetRecordCounts(TForm5* recordCounts) { recordCounts_ = recordCounts; }

    void PumpEvents(const ReadProgress& progress) override;
    void ShowProgress(const std::string* placeholderText) override;
    void ReleaseProgress() override;
    bool ExclusionChecked() override;
    bool GroupedOrder() override;
    bool AskPlaceholder(PlaceholderState& placeholder) override;
    void RunStarted(TimeOfDay start) override;
    void AppendRunLog(const RunLogEntry& entry) override;
    TimeOfDay Now() override { return LocalTimeOfDay(); }

  private:
    TForm1& main_;
    EngineState& state_;
    const QAbstractButton& exclusion_;
    const QAbstractButton& grouped_;
    QPointer<TForm5> recordCounts_;
    QPointer<TForm2> progress_;
};

}  // namespace rivex::ui
