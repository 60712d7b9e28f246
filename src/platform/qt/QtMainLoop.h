#pragma once

#include "platform/MainLoop.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <atomic>
#include <mutex>
#include <chrono>

class QTimer;

// Delays on Qt's event loop. after() and cancel() may be called from any
// thread; the functions always run on the main thread.
class QtMainLoop : public MainLoop {
  public:
    TimerId after(double seconds, std::function<void()> fn) override;
    void cancel(TimerId id) override;

  private:
    // Both run on the main thread.
    void start(TimerId id, double seconds, std::function<void()> fn);
    void stop(TimerId id);

    std::atomic<TimerId> next_ = 1;
    std::mutex mutex_;
    // Timers asked for from another thread and not started yet; cancelling
    // one takes it out, so it never starts.
    QSet<TimerId> pending_;
    // Only touched on the main thread.
    QHash<TimerId, QTimer*> timers_;
};

// The system's wall clock.
class SystemClock : public Clock {
  public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 microsecondsSinceEpoch() const override {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
};
