// The help window "ヘルプ": the program's help text, with a copy button in its hidden mode.
#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace rivex::ui {

// The help text: its 114 lines as first written, then the section added after them.
QStringList HelpLines();

class TForm3 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm3(QWidget* owner);

    // The hidden mode that offers the copy button, decided by the main window's help button
    // and read each time this window becomes visible.
    bool HelpCopyMode() const { return HelpCopyMode_; }
    void SetHelpCopyMode(bool on) { HelpCopyMode_ = on; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void FormShow();
    void Button2Click();

    bool HelpCopyMode_ = false;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
};

}  // namespace rivex::ui
