#include "platform/qt/QtMainLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Runs the main loop until done holds or a safety cap of 5 s has passed.
bool runUntil(const std::function<bool()>& done) {
    const QDeadlineTimer cap(5000);
    while (!done() && !cap.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(QtMainLoop, RunsOnTheMainThreadWhatAnotherThreadAsksFor) {
    QtMainLoop loop;
    QThread* ranOn = nullptr;
    bool cancelledRan = false;
    std::thread worker([&] {
        loop.after(0.01, [&] { ranOn = QThread::currentThread(); });
        const MainLoop::TimerId cancelled = loop.after(0.01, [&] { cancelledRan = true; });
        loop.cancel(cancelled);
    });
    worker.join();
    ASSERT_TRUE(runUntil([&] { return ranOn != nullptr; }));
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());

    // A later timer has run, so the cancelled one had its chance and missed it.
    bool later = false;
    loop.after(0.05, [&] { later = true; });
    ASSERT_TRUE(runUntil([&] { return later; }));
    EXPECT_FALSE(cancelledRan);
}

TEST(QtMainLoop, AnotherThreadCancelsATimerTheMainThreadStarted) {
    QtMainLoop loop;
    bool cancelledRan = false;
    const MainLoop::TimerId id = loop.after(0.05, [&] { cancelledRan = true; });
    std::thread worker([&] { loop.cancel(id); });
    worker.join();
    bool later = false;
    loop.after(0.15, [&] { later = true; });
    ASSERT_TRUE(runUntil([&] { return later; }));
    EXPECT_FALSE(cancelledRan);
}

} // namespace
