#include "ui/Rivex4.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "engine/placeholder.h"
#include "ui/fonts.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "ui/window_colors.h"
#include "ui/window_language.h"
#include "ui/window_place.h"

namespace rivex::ui {
namespace {

// The words the dialog's prompt begins with, as the placeholder sequence hands them over.
[[maybe_unused]] const char* const kPromptWords[] = {
    QT_TRANSLATE_NOOP("rivex::ui::TForm4", "最初の"),
    QT_TRANSLATE_NOOP("rivex::ui::TForm4", "つぎの"),
};

QLabel* Label(QWidget* parent, const char* name, const QString& text, int left, int top,
              const QFont& font) {
    QLabel* label = MakeLabel(parent, name, text, left, top);
    label->setFont(font);
    label->adjustSize();
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, int left, int top) {
    QLineEdit* edit = MakeEdit(parent, name, left, top, 65);
    edit->setFont(JapaneseFont(Face::Gothic, 13));
    return edit;
}

}  // namespace

TForm4::TForm4(PlaceholderState& placeholder, QWidget* parent)
    : QDialog(parent), placeholder_(placeholder) {
    setWindowTitle(tr("＠文字の入力"));
    setFont(JapaneseFont(Face::Gothic, 16, true));
    move(192, 107);
    setFixedSize(452, 220);
    createInstructions();
    createInputs();
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Button1);
    setTabOrder(Button1, Edit3);
    setTabOrder(Edit3, CheckBox1);
    ScrollWhenLarger(*this, screen()->availableGeometry());
}

void TForm4::createInstructions() {
    const QFont font = JapaneseFont(Face::Gothic, 15, true);
    Label1 =
        Label(this, "Label1", tr("＠に相当する文字を入力してください。数字の場合は"), 24, 16, font);
    Label5 =
        Label(this, "Label5", tr("範囲指定ができます。これが最後の指定ならチェック"), 24, 40, font);
    Label6 =
        Label(this, "Label6", tr("してから[次へ]を押します。(入力文字は８桁以内)"), 24, 64, font);
}

void TForm4::createInputs() {
    const QFont small = JapaneseFont(Face::Gothic, 13, true);
    Edit3 = Edit(this, "Edit3", 73, 108);
    Edit3->setReadOnly(true);
    Label4 = Label(this, "Label4", tr("を処理しました。"), 144, 111, small);
    Label3 = Label(this, "Label3", "", 28, 141, small);
    Edit1 = Edit(this, "Edit1", 209, 139);
    Label2 = Label(this, "Label2", tr("～"), 288, 142, small);
    Edit2 = Edit(this, "Edit2", 317, 139);
    CheckBox1 =
        Place(new QCheckBox(tr("これが最後の指定です"), this), "CheckBox1", 28, 170, 177, 25);
    CheckBox1->setFont(small);
    Button1 = MakeButton(this, "Button1", tr("次　へ"), 318, 181, 65, 25);
    Button1->setFont(JapaneseFont(Face::GothicProp, 12));
    // Enter belongs to the edits' own handlers, so no button is the dialog's default; Enter on
    // the focused button still presses it.
    Button1->setAutoDefault(false);

    connect(Edit1, &QLineEdit::returnPressed, this, &TForm4::Edit1KeyPress);
    connect(Edit2, &QLineEdit::returnPressed, this, &TForm4::Edit2KeyPress);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm4::CheckBox1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    CheckBox1->installEventFilter(this);
    Button1->installEventFilter(this);
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == Button1 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Button1->click();
        return true;
    }
    // Space ticks the box, and its click then moves the focus on.
    if (watched == CheckBox1 && key != Qt::Key_Tab && key != Qt::Key_Backtab &&
        key != Qt::Key_Space) {
        CheckBox1Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::FormShow() {
    Label3->setText(tr(TakePromptWord(placeholder_).c_str()) + tr("＠に相当する文字："));
    Label3->adjustSize();
    Edit1->clear();
    Edit2->clear();
    Edit3->setText(FromBytes(placeholder_.PlaceholderText));
    SetColor(this, QPalette::Window, colors::kPlaceholderDialog);
    for (QLineEdit* edit : {Edit1, Edit2})
        SetColor(edit, QPalette::Base, colors::kPlaceholderEdits);
    MoveFocus(Edit1);
}

void TForm4::Edit1KeyPress() {
    const bool digits = StartsRange(ToBytes(Edit1->text()));
    Edit2->setVisible(digits);
    Label2->setVisible(digits);
    if (digits) {
        Edit2->clear();
        MoveFocus(Edit2);
    } else {
        MoveFocus(CheckBox1);
    }
}

void TForm4::Edit2KeyPress() {
    MoveFocus(CheckBox1);
}

void TForm4::CheckBox1Click() {
    MoveFocus(Button1);
}

void TForm4::Button1Click() {
    const PlaceholderAnswer answer{ToBytes(Edit1->text()), ToBytes(Edit2->text()),
                                   CheckBox1->isChecked()};
    const auto refusal = AcceptPlaceholderAnswer(answer, placeholder_);
    if (!refusal) {
        accept();
        return;
    }
    ShowMessage(this, Say(WindowLanguage(), refusal->message));
    MoveFocus(refusal->focus == DialogFocus::Edit1 ? Edit1 : Edit2);
}

}  // namespace rivex::ui
