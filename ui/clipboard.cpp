#include "ui/clipboard.h"

#include <QApplication>
#include <QClipboard>

namespace rivex::ui {

void CopyLines(const QStringList& lines) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    QString text;
    for (const QString& line : lines) text += line + "\r\n";
    clipboard->setText(text);
}

}  // namespace rivex::ui
