#include "Rivex5.h"

#include <QPlainTextEdit>

#include "fonts.h"
#include "widgets.h"

namespace rivex::ui {

TForm5::TForm5(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QString::fromUtf8("レコード数一覧"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    move(192, 107);
    setFixedSize(348, 455);
    Label1 = MakeLabel(this, "Label1", "全抽出レコード数：", 32, 16);
    Edit1 = MakeEdit(this, "Edit1", 136, 12, 89, 20);
    Edit1->setReadOnly(true);
    Label3 = MakeLabel(this, "Label3", "レコード数一覧：", 24, 44);
    Memo1 = Place(new QPlainTextEdit(this), "Memo1", 16, 63, 313, 338);
    Memo1->setFont(JapaneseFont(Face::Gothic, 12));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button4 = MakeButton(this, "Button4", "閉じる", 256, 412, 57, 25);
    Button4->setToolTip(QString::fromUtf8("この画面を閉じます"));
    connect(Button4, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm5::ClearRunLog() {
    Memo1->clear();
}

void TForm5::AppendRunLog(const QString& line) {
    Memo1->appendPlainText(line);
}

QStringList TForm5::RunLog() const {
    return Memo1->toPlainText().split('\n');
}

void TForm5::SetTotal(const QString& text) {
    Edit1->setText(text);
}

void TForm5::showEvent(QShowEvent* event) {
    SetColor(this, QPalette::Window, QColor(255, 218, 200));
    QWidget::showEvent(event);
}

}  // namespace rivex::ui
