// Answers the message boxes that a window under test opens, and keeps their texts.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace rivex::testing {

class ModalCloser : public QObject {
  public:
    explicit ModalCloser(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
        connect(&timer_, &QTimer::timeout, this, &ModalCloser::CloseBox);
        timer_.start(5);
    }

    QStringList texts;

  private:
    void CloseBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        texts << box->text();
        box->done(answer_);
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

}  // namespace rivex::testing
