#include "ui/Rivex3.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>

#include "ui/clipboard.h"
#include "ui/fonts.h"
#include "ui/message_box.h"
#include "ui/widgets.h"
#include "ui/window_colors.h"
#include "ui/window_language.h"
#include "ui/window_place.h"

namespace rivex::ui {

QStringList HelpLines() {
    QFile file(WindowLanguage() == Language::English ? ":/help_text_en.txt" : ":/help_text.txt");
    file.open(QIODevice::ReadOnly);
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    lines.removeLast();  // after the line end of the closing line
    return lines;
}

TForm3::TForm3(QWidget* owner) : QWidget(owner, kSecondaryWindow) {
    setWindowTitle(tr("ヘルプ"));
    setFont(JapaneseFont(Face::GothicProp, 12));
    move(534, 139);
    setFixedSize(430, 535);
    Memo1 = Place(new QPlainTextEdit(this), "Memo1", 15, 12, 401, 473);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setPlainText(HelpLines().join('\n'));
    Button1 = MakeButton(this, "Button1", tr("閉じる"), 345, 493, 56, 25);
    Button2 = MakeButton(this, "Button2", tr("コピー"), 48, 494, 48, 25);
    Button2->setToolTip(tr("範囲指定してからコピーします"));
    setTabOrder(Memo1, Button1);
    setTabOrder(Button1, Button2);
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    FormCreate();
    ScrollWhenLarger(*this, screen()->availableGeometry());
}

void TForm3::FormCreate() {
    SetColor(this, QPalette::Window, colors::kHelpWindow);
    SetColor(Memo1, QPalette::Base, colors::kHelpText);
}

// Only a showing from hidden decides the copy button; raising a visible window keeps it.
void TForm3::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) FormShow();
    QWidget::showEvent(event);
}

void TForm3::FormShow() {
    Button2->setVisible(HelpCopyMode_);
}

// All of the text, whatever is selected.
void TForm3::Button2Click() {
    Guarded(this, [&] {
        CopyLines(HelpLines());
        ShowMessage(this, tr("**「ｺﾋﾟｰ」が終わりました。"));
    });
}

}  // namespace rivex::ui
