// The help window "ヘルプ".
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace rivex::ui {

class TForm3 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm3(QWidget* owner);

  private:
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
};

}  // namespace rivex::ui
