#include "platform/qt/QtMainLoop.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <cmath>

namespace {

bool onMainThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs fn on the main thread: at once when called there, otherwise on the
// next turn of the main loop.
void onMain(std::function<void()> fn) {
    if (onMainThread())
        fn();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn),
                                  Qt::QueuedConnection);
}

} // namespace

MainLoop::TimerId QtMainLoop::after(double seconds, std::function<void()> fn) {
    const TimerId id = next_++;
    if (onMainThread()) {
        start(id, seconds, std::move(fn));
        return id;
    }
    // Qt timers belong to the thread that starts them, so a timer asked for
    // elsewhere is started on the main thread.
    {
        const std::lock_guard lock(mutex_);
        pending_.insert(id);
    }
    onMain([this, id, seconds, fn = std::move(fn)]() mutable {
        {
            const std::lock_guard lock(mutex_);
            if (!pending_.remove(id)) return; // cancelled before it started
        }
        start(id, seconds, std::move(fn));
    });
    return id;
}

void QtMainLoop::cancel(TimerId id) {
    {
        const std::lock_guard lock(mutex_);
        if (pending_.remove(id)) return;
    }
    onMain([this, id] { stop(id); });
}

void QtMainLoop::start(TimerId id, double seconds, std::function<void()> fn) {
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
}

void QtMainLoop::stop(TimerId id) {
    if (QTimer* timer = timers_.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}
