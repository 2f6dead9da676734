#include "qt_host.h"

#include <QApplication>

#include "Rivex1.h"
#include "Rivex2.h"
#include "Rivex4.h"
#include "Rivex5.h"
#include "message_box.h"
#include "qt_text.h"

namespace rivex::ui {

void QtHost::PumpEvents(const ReadProgress& progress) {
    if (progress_) progress_->ShowReadProgress(progress);
    QApplication::processEvents();
}

void QtHost::ShowProgress(const std::string* placeholderText) {
    progress_ = new TForm2(state_, &main_);
    progress_->StartPass(placeholderText);
    progress_->show();
    progress_->repaint();
}

// The window goes once control is back in Qt's event processing.
void QtHost::ReleaseProgress() {
    if (progress_) progress_->Release();
    progress_ = nullptr;
}

bool QtHost::ExclusionChecked() {
    return main_.ExclusionChecked();
}

bool QtHost::GroupedOrder() {
    return main_.GroupedOrder();
}

bool QtHost::AskPlaceholder(PlaceholderState& placeholder) {
    TForm4 dialog(placeholder, &main_);
    return dialog.exec() == QDialog::Accepted;
}

void QtHost::ClearRunLog() {
    if (TForm5* list = main_.RecordCounts()) list->ClearRunLog();
}

void QtHost::AppendRunLog(std::string_view line) {
    if (TForm5* list = main_.RecordCounts()) list->AppendRunLog(FromBytes(line));
}

// The engine beeps before its messages.
void QtHost::ShowMessage(std::string_view text) {
    MessageBox(&main_, text);
}

void QtHost::Beep() {
    QApplication::beep();
}

void QtHost::SetFocus(Focus control) {
    main_.FocusControl(control);
}

void QtHost::ClearTotals() {
    main_.ClearTotals();
}

void QtHost::RunStarted(std::string_view startClock) {
    main_.ShowRunStarted(FromBytes(startClock));
}

void QtHost::RunEnded(const RunEnd& end) {
    main_.ShowRunEnded(end);
}

void QtHost::RunFailed() {
    main_.ShowRunFailed();
}

}  // namespace rivex::ui
