// The record-count list window "レコード数一覧": the RunLog of the last run and its total, to
// copy, print or save.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace rivex::ui {

class TForm5 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm5(QWidget* owner);
    ~TForm5() override;

    // The RunLog, shown as the memo's lines. A hidden window keeps the lines compactly and
    // fills its memo when it is shown, so that a long series costs little memory.
    void ClearRunLog();
    void AppendRunLog(const QString& line);
    QStringList RunLog() const;
    void SetTotal(const QString& text);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void createButtons();
    void Button1Click();
    void Button2Click();
    void Button3Click();

    // The printer with its font, and the save dialog's last path, stay for the program's life.
    std::unique_ptr<QPrinter> printer_;
    QFont printFont_;
    QString lastSavePath_;
    std::string runLog_;       // every line followed by a line feed, UTF-8
    bool memoBehind_ = false;  // lines were appended while the window was hidden

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label3;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
};

}  // namespace rivex::ui
