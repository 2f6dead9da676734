#include "Rivex3.h"

#include <QPlainTextEdit>

#include "fonts.h"
#include "widgets.h"

namespace rivex::ui {

TForm3::TForm3(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QString::fromUtf8("ヘルプ"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    move(534, 139);
    setFixedSize(430, 535);
    SetColor(this, QPalette::Window, QColor(180, 252, 131));
    Memo1 = Place(new QPlainTextEdit(this), "Memo1", 15, 12, 401, 473);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetColor(Memo1, QPalette::Base, QColor(255, 255, 210));
    Button1 = MakeButton(this, "Button1", "閉じる", 345, 493, 56, 25);
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
}

}  // namespace rivex::ui
