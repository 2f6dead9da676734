// Text put on the desktop's clipboard.
#pragma once

#include <QStringList>

namespace rivex::ui {

// Empties the clipboard, then puts every line on it, each followed by CR LF, as plain text.
void CopyLines(const QStringList& lines);

}  // namespace rivex::ui
