// The background colours of the program's windows and of the parts that stand out in them.
#pragma once

#include <QColor>

namespace rivex::ui::colors {

inline const QColor kMainWindow(151, 255, 255);
inline const QColor kMainGroups(216, 176, 255);
inline const QColor kCodeOrderGroup(255, 255, 149);
inline const QColor kProgressWindow(230, 203, 254);
inline const QColor kProgressBanner(255, 255, 157);
inline const QColor kHelpWindow(180, 252, 131);
inline const QColor kHelpText(255, 255, 210);
inline const QColor kPlaceholderDialog(212, 242, 192);
inline const QColor kPlaceholderEdits(255, 255, 163);
inline const QColor kRecordCountWindow(255, 218, 200);

}  // namespace rivex::ui::colors
