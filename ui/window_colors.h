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
inline const QColor kViewerWindow(200, 236, 255);

// The record viewer's grid: the ruler, the field items in turn (a repetition a shade
// darker), the key columns, and a character that a boundary cuts in two.
inline const QColor kRuler(236, 236, 228);
inline const QColor kRulerPointed(255, 214, 102);
inline const QColor kFieldColumns[] = {
    {170, 214, 255}, {178, 236, 170}, {255, 204, 170}, {222, 196, 255}};
inline const QColor kKeyColumns(214, 120, 0);
inline const QColor kSplitCharacter(230, 40, 40);

}  // namespace rivex::ui::colors
