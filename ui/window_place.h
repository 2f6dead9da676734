// Where a window goes: a second window so that it hides as little of the main window as it
// can, and a window of fixed layout on a screen too small for it.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace rivex::ui {

// The window manager's frame, until it has told its size.
inline constexpr QMargins kFrameGuess(4, 30, 4, 4);

// The frame of a window that wants `wanted` (its frame's size) and can do with `least`, on
// the `screen` area, beside the `main` frame: right, left, below or above it, shrunk towards
// `least` to fit the room there, and kept on the screen. Of these the one that covers least
// of `main` wins, the first in that order on a tie.
QRect PlaceBeside(const QRect& main, const QRect& screen, QSize wanted, QSize least);

// A window of fixed size that, with its frame, is larger than the `screen` area: its controls
// move into a scroll area and the window shrinks to the screen and onto it, so that every
// control can be scrolled to. A window that fits is left as it is. Called once its controls
// are made.
void ScrollWhenLarger(QWidget& window, const QRect& screen);

}  // namespace rivex::ui
