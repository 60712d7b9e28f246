#include "platform/qt/QtMainLoop.h"

#include <QTimer>
#include <cmath>

MainLoop::TimerId QtMainLoop::after(double seconds, std::function<void()> fn) {
    const TimerId id = next_++;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [this, id, timer, fn = std::move(fn)] {
        timers_.remove(id);
        timer->deleteLater();
        fn();
    });
    timers_.insert(id, timer);
    timer->start(static_cast<int>(std::lround(std::max(0.0, seconds) * 1000)));
    return id;
}

void QtMainLoop::cancel(TimerId id) {
    if (QTimer* timer = timers_.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}
