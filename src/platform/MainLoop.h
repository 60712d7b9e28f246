#pragma once

#include <QDateTime>
#include <functional>

// Delays on the main thread. Every delay of the app goes through here so that
// tests can run them on a virtual clock.
class MainLoop {
  public:
    using TimerId = int;
    virtual ~MainLoop() = default;
    // Runs fn on the main thread after the given number of seconds.
    virtual TimerId after(double seconds, std::function<void()> fn) = 0;
    // Cancels a timer that has not fired yet; does nothing otherwise.
    virtual void cancel(TimerId id) = 0;
};

// The present moment.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The present moment in whole microseconds since 1970-01-01 UTC, for names
    // that must differ between moments closer than a millisecond.
    virtual qint64 microsecondsSinceEpoch() const { return now().toMSecsSinceEpoch() * 1000; }
};
