// The record-count list window "レコード数一覧": the RunLog of the last run and its total.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace rivex::ui {

class TForm5 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm5(QWidget* owner);

    // The RunLog is the memo's lines.
    void ClearRunLog();
    void AppendRunLog(const QString& line);
    QStringList RunLog() const;
    void SetTotal(const QString& text);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label3;
    QPlainTextEdit* Memo1;
    QPushButton* Button4;
};

}  // namespace rivex::ui
