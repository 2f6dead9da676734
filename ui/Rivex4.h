// The placeholder dialog "＠文字の入力": asks for the text that replaces "@" in the next
// pass, or a range of equal-width numbers to step through.
#pragma once

#include <QDialog>

#include "engine/state.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rivex::ui {

class TForm4 : public QDialog {
    Q_OBJECT

  public:
    // Works on `placeholder` only: accepted means the sequence was set by "次　へ".
    explicit TForm4(PlaceholderState& placeholder, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createInstructions();
    void createInputs();
    void FormShow();
    void Edit1KeyPress();
    void Edit2KeyPress();
    void CheckBox1Click();
    void Button1Click();

    PlaceholderState& placeholder_;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLineEdit* Edit3;
    QLabel* Label4;
    QLabel* Label3;
    QLineEdit* Edit1;
    QLabel* Label2;
    QLineEdit* Edit2;
    QCheckBox* CheckBox1;
    QPushButton* Button1;
};

}  // namespace rivex::ui
