// Results of work done aside from the window thread (QtConcurrent), taken up on it.
#pragma once

#include <QFutureWatcher>
#include <QThreadPool>

namespace rivex::ui {

// True when `watcher`'s present work has ended with a result to take. A watcher given new
// work may still signal the end of the work it was given before; asking the unfinished
// present work for its result then would make the window thread wait for it, or do it.
template <typename T>
bool Taken(const QFutureWatcher<T>& watcher) {
    return watcher.isFinished() && !watcher.isCanceled();
}

// Threads of `owner`'s own for reading files, never Qt's global pool: Qt's painting hands
// parts of a fill to the global pool and waits for them, so a record of gigabytes measured
// there would hold every repaint of every window until it was read. The pool waits for its
// work when `owner` goes, which ends at its next block once told to stop.
inline QThreadPool* ReadingPool(QObject* owner) {
    auto* pool = new QThreadPool(owner);
    pool->setMaxThreadCount(2);
    return pool;
}

}  // namespace rivex::ui
