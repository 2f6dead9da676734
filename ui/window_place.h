// Where a second window goes so that it hides as little of the main window as it can.
#pragma once

#include <QRect>
#include <QSize>

namespace rivex::ui {

// The frame of a window that wants `wanted` (its frame's size) and can do with `least`, on
// the `screen` area, beside the `main` frame: right, left, below or above it, shrunk towards
// `least` to fit the room there, and kept on the screen. Of these the one that covers least
// of `main` wins, the first in that order on a tie.
QRect PlaceBeside(const QRect& main, const QRect& screen, QSize wanted, QSize least);

}  // namespace rivex::ui
