#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt_text.h"

namespace rivex::ui {
namespace {

// A modal box with the application's title, without minimise and maximise buttons. Openbox
// keeps both for any dialog whatever its Motif hints ask ("dont let mwm hints kill any
// buttons"), and minimising a modal box there hides the main window with it, leaving nothing
// to click. Of the window types, only a toolbar (or a menu) loses the two buttons; it is
// named first, the dialog type after it, so that the box stays modal and takes the focus.
int Ask(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
        QWidget* parent) {
    QMessageBox box(icon, QApplication::applicationName(), text, buttons, parent);
    box.winId();  // the window types are written to a window that exists
    box.setAttribute(Qt::WA_X11NetWmWindowTypeToolBar);
    return box.exec();
}

}  // namespace

void MessageBox(QWidget* parent, std::string_view text) {
    Ask(QMessageBox::NoIcon, FromBytes(text), QMessageBox::Ok, parent);
}

void ShowMessage(QWidget* parent, std::string_view text) {
    QApplication::beep();
    MessageBox(parent, text);
}

void ShowMessage(QWidget* parent, const QString& text) {
    ShowMessage(parent, ToBytes(text));
}

bool AskYesNo(QWidget* parent, const QString& question) {
    return Ask(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No, parent) ==
           QMessageBox::Yes;
}

void ShowError(QWidget* parent, std::string_view text) {
    Ask(QMessageBox::Critical, FromBytes(text), QMessageBox::Ok, parent);
}

}  // namespace rivex::ui
