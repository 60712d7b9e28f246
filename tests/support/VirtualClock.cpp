#include "support/VirtualClock.h"

#include <cmath>

VirtualClock::VirtualClock(QDateTime start) : now_(std::move(start)) {}

MainLoop::TimerId VirtualClock::after(double seconds, std::function<void()> fn) {
    const qint64 due = now_.toMSecsSinceEpoch() + std::llround(std::max(0.0, seconds) * 1000);
    const TimerId id = next_++;
    timers_.emplace(due, Timer{id, std::move(fn)});
    return id;
}

void VirtualClock::cancel(TimerId id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (it->second.id == id) {
            timers_.erase(it);
            return;
        }
}

void VirtualClock::advance(double seconds) {
    const qint64 end = now_.toMSecsSinceEpoch() + std::llround(seconds * 1000);
    while (!timers_.empty() && timers_.begin()->first <= end) {
        auto first = timers_.begin();
        now_ = QDateTime::fromMSecsSinceEpoch(std::max(first->first, now_.toMSecsSinceEpoch()));
        std::function<void()> fn = std::move(first->second.fn);
        timers_.erase(first);
        fn();
    }
    now_ = QDateTime::fromMSecsSinceEpoch(end);
}
