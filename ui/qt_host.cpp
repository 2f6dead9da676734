#include "ui/qt_host.h"

#include <QAbstractButton>
#include <QApplication>

#include "ui/Rivex1.h"
#include "ui/Rivex2.h"
#include "ui/Rivex4.h"
#include "ui/Rivex5.h"
#include "ui/qt_text.h"
#include "ui/window_language.h"

namespace rivex::ui {

void QtHost::PumpEvents(const ReadProgress& progress) {
    if (progress_) progress_->ShowReadProgress(progress);
    QApplication::processEvents();
}

void QtHost::ShowProgress(const std::string* placeholderText) {
    progress_ = new TForm2(state_, &main_);
    progress_->StartPass(placeholderText);
    progress_->show();
    QApplication::processEvents();  // painted before the first record is read
}

// None of the window's own handlers is running when the run is done with it, so it goes at
// once: a long series would otherwise pile up windows until the run ends.
void QtHost::ReleaseProgress() {
    if (progress_) progress_->Release();
    delete progress_.data();
}

bool QtHost::ExclusionChecked() {
    return exclusion_.isChecked();
}

bool QtHost::GroupedOrder() {
    return grouped_.isChecked();
}

bool QtHost::AskPlaceholder(PlaceholderState& placeholder) {
    QApplication::beep();
    TForm4 dialog(placeholder, &main_);
    return dialog.exec() == QDialog::Accepted;
}

void QtHost::RunStarted(TimeOfDay start) {
    main_.ShowRunStarted(FromBytes(ClockText(start)));
}

void QtHost::AppendRunLog(const RunLogEntry& entry) {
    if (!recordCounts_) return;
    for (const std::string& line : RunLogLines(WindowLanguage(), entry)) {
        recordCounts_->AppendRunLog(FromBytes(line));
    }
}

}  // namespace rivex::ui
