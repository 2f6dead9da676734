// Results of work done aside from the window thread (QtConcurrent), taken up on it.
#pragma once

#include <QFutureWatcher>

namespace rivex::ui {

// True when `watcher`'s present work has ended with a result to take. A watcher given new
// work may still signal the end of the work it was given before; asking the unfinished
// present work for its result then would make the window thread wait for it, or do it.
template <typename T>
bool Taken(const QFutureWatcher<T>& watcher) {
    return watcher.isFinished() && !watcher.isCanceled();
}

}  // namespace rivex::ui
