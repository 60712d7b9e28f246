#pragma once

#include "platform/MainLoop.h"

#include <map>

// A main loop and clock on virtual time: timers fire only when a test
// advances the clock, in the order of their due times.
class VirtualClock : public MainLoop, public Clock {
  public:
    explicit VirtualClock(QDateTime start = QDateTime(QDate(2015, 6, 30), QTime(14, 5, 0)));

    TimerId after(double seconds, std::function<void()> fn) override;
    void cancel(TimerId id) override;
    QDateTime now() const override { return now_; }

    // Moves time forward, running every timer that falls due on the way
    // (also timers those timers start).
    void advance(double seconds);
    void set(const QDateTime& moment) { now_ = moment; }
    std::size_t pendingTimers() const { return timers_.size(); }

  private:
    struct Timer {
        TimerId id;
        std::function<void()> fn;
    };
    QDateTime now_;
    std::multimap<qint64, Timer> timers_; // due time in ms since epoch
    TimerId next_ = 1;
};
