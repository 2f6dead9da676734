// The progress window "実行状況…": shown by the run for each file, with the elapsed time, the
// placeholder text of the pass, how far the source has been read, and the cancel button.
#pragma once

#include <QWidget>
#include <string>

#include "engine/host.h"
#include "engine/state.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace rivex::ui {

class TForm2 : public QWidget {
    Q_OBJECT

  public:
    TForm2(EngineState& state, QWidget* owner);

    // What the run sets up for a pass: `placeholderText` is null without "@"; starts the timer.
    void StartPass(const std::string* placeholderText);
    void ShowReadProgress(const ReadProgress& progress);
    // The run is done with the window: it stops and hides, and is deleted by the run's host.
    void Release();

  protected:
    // Closing the window while the run still uses it asks to cancel, as its button does.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Timer1Timer();
    void Button1Click();

    EngineState& state_;
    bool released_ = false;
    QLabel* Label1;
    QLabel* Label3;
    QLineEdit* Edit2;
    QLabel* Label2;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QTimer* Timer1;
    QProgressBar* ProgressBar1;
    QLabel* Label4;
    QLabel* Label5;
};

}  // namespace rivex::ui
