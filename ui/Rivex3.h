// The help window "ヘルプ": the program's help text, with a copy button in its hidden mode.
#pragma once

#include <QStringList>
#include <QWidget>

#include "state.h"

class QPlainTextEdit;
class QPushButton;

namespace rivex::ui {

// The 114 lines of the help text, from the program's resources.
QStringList HelpLines();

class TForm3 : public QWidget {
    Q_OBJECT

  public:
    // Reads HelpCopyMode of `state` each time the window becomes visible.
    TForm3(const EngineState& state, QWidget* owner);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    void Button2Click();

    const EngineState& state_;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace rivex::ui
