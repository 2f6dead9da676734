#include "ui/window_place.h"

#include <QBoxLayout>
#include <QScrollArea>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>

namespace rivex::ui {
namespace {

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

// `rect` moved, not resized, so that it lies on `screen`; its size already fits.
QRect OnScreen(QRect rect, const QRect& screen) {
    rect.moveLeft(Clamp(rect.left(), screen.left(), screen.right() + 1 - rect.width()));
    rect.moveTop(Clamp(rect.top(), screen.top(), screen.bottom() + 1 - rect.height()));
    return rect;
}

std::int64_t Covered(const QRect& rect, const QRect& main) {
    const QRect both = rect.intersected(main);
    return both.isEmpty() ? 0 : std::int64_t{both.width()} * both.height();
}

}  // namespace

QRect PlaceBeside(const QRect& main, const QRect& screen, QSize wanted, QSize least) {
    wanted = wanted.boundedTo(screen.size());
    least = least.boundedTo(wanted);
    const auto width = [&](int room) { return Clamp(room, least.width(), wanted.width()); };
    const auto height = [&](int room) { return Clamp(room, least.height(), wanted.height()); };
    const int right = width(screen.right() - main.right());
    const int left = width(main.left() - screen.left());
    const int below = height(screen.bottom() - main.bottom());
    const int above = height(main.top() - screen.top());
    const std::array candidates{
        QRect(main.right() + 1, main.top(), right, wanted.height()),
        QRect(main.left() - left, main.top(), left, wanted.height()),
        QRect(main.left(), main.bottom() + 1, wanted.width(), below),
        QRect(main.left(), main.top() - above, wanted.width(), above),
    };
    QRect best;
    std::int64_t leastCovered = -1;
    for (const QRect& candidate : candidates) {
        const QRect placed = OnScreen(candidate, screen);
        const std::int64_t covered = Covered(placed, main);
        if (leastCovered < 0 || covered < leastCovered) {
            best = placed;
            leastCovered = covered;
        }
    }
    return best;
}

void ScrollWhenLarger(QWidget& window, const QRect& screen) {
    const QSize designed = window.size();
    const QSize room = screen.marginsRemoved(kFrameGuess).size();
    if (designed.width() <= room.width() && designed.height() <= room.height()) return;
    auto* content = new QWidget;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        const bool hidden = child->isHidden();
        child->setParent(content);  // where it was, hidden by the move
        child->setHidden(hidden);
    }
    content->setFixedSize(designed);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    window.setFixedSize(designed.boundedTo(room));
    window.move(
        OnScreen(QRect(window.pos(), window.size().grownBy(kFrameGuess)), screen).topLeft());
}

}  // namespace rivex::ui
