// The RunLog sent out of the program: printed, or saved as a code page 932 text file.
#pragma once

#include <QFont>
#include <QStringList>

class QPrinter;

namespace rivex::ui {

// Prints every line after five half-width blanks, in `font`, as one job on `printer`.
// Throws PlatformError when the printer cannot be opened.
void PrintRunLog(QPrinter& printer, const QFont& font, const QStringList& lines);

// Creates the folders along `path`, then replaces the file with every line followed by CR LF,
// in code page 932 bytes ("?" for a character without such a form). Throws PlatformError.
void SaveRunLog(const QString& path, const QStringList& lines);

}  // namespace rivex::ui
