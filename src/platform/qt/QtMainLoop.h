#pragma once

#include "platform/MainLoop.h"

#include <QHash>
#include <QObject>

class QTimer;

// Delays on Qt's event loop.
class QtMainLoop : public MainLoop {
  public:
    TimerId after(double seconds, std::function<void()> fn) override;
    void cancel(TimerId id) override;

  private:
    QHash<TimerId, QTimer*> timers_;
    TimerId next_ = 1;
};

// The system's wall clock.
class SystemClock : public Clock {
  public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
