#include "support/FakePlatform.h"

#include <gtest/gtest.h>

TEST(VirtualClock, RunsTimersInDueOrderIncludingTimersStartedOnTheWay) {
    FakePlatform fake;
    QStringList order;
    MainLoop& loop = *platform().loop;
    loop.after(3.0, [&] { order << "3"; });
    loop.after(0.5, [&] {
        order << "0.5";
        loop.after(0.5, [&] { order << "1.0"; });
    });
    const auto cancelled = loop.after(2.0, [&] { order << "cancelled"; });
    loop.cancel(cancelled);

    fake.clock.advance(0.99);
    EXPECT_EQ(order, QStringList({"0.5"}));
    fake.clock.advance(2.01);
    EXPECT_EQ(order, QStringList({"0.5", "1.0", "3"}));
    EXPECT_EQ(fake.clock.pendingTimers(), 0u);
}

TEST(VirtualClock, NowFollowsTheTimerBeingRun) {
    FakePlatform fake;
    const QDateTime start = platform().clock->now();
    QDateTime seen;
    platform().loop->after(2.0, [&] { seen = platform().clock->now(); });
    fake.clock.advance(10);
    EXPECT_EQ(start.msecsTo(seen), 2000);
    EXPECT_EQ(start.msecsTo(platform().clock->now()), 10000);
}
