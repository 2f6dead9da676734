// Qt's file dialog as the windows ask for a file name.
#pragma once

#include <QFileDialog>
#include <QString>

namespace rivex::ui {

// The name chosen, empty when cancelled. The list writes its dates as the program's locale does:
// Qt's own list takes the desktop's, often English.
QString OpenFileName(QWidget* parent, const QString& filter, QFileDialog::Options options = {});
QString SaveFileName(QWidget* parent, const QString& directory, const QString& filter,
                     QFileDialog::Options options = {});

}  // namespace rivex::ui
