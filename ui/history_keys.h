// The keys of undo and redo in the main window: Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, whatever
// the desktop's own key bindings say.
#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QList>

namespace rivex::ui {

inline QList<QKeySequence> UndoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

inline QList<QKeySequence> RedoKeys() {
    return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
}

// A key that the window's history of the conditions answers, not a text box's own undo.
inline bool IsHistoryKey(const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    return UndoKeys().contains(pressed) || RedoKeys().contains(pressed);
}

}  // namespace rivex::ui
