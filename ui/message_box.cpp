#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt_text.h"

namespace rivex::ui {

void MessageBox(QWidget* parent, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), FromBytes(text),
                    QMessageBox::Ok, parent);
    box.exec();
}

void ShowMessage(QWidget* parent, std::string_view text) {
    QApplication::beep();
    MessageBox(parent, text);
}

bool AskYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

void ShowError(QWidget* parent, std::string_view text) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), FromBytes(text),
                    QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace rivex::ui
