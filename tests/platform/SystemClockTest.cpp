#include "platform/qt/QtMainLoop.h"

#include <gtest/gtest.h>

TEST(SystemClock, CountsMicrosecondsOfTheWallClock) {
    const SystemClock clock;
    bool belowAMillisecond = false;
    for (int i = 0; i < 200 && !belowAMillisecond; ++i) {
        const qint64 micros = clock.microsecondsSinceEpoch();
        EXPECT_LT(std::abs(micros / 1000 - clock.now().toMSecsSinceEpoch()), 1000);
        belowAMillisecond = micros % 1000 != 0;
    }
    EXPECT_TRUE(belowAMillisecond) << "200 readings, all whole milliseconds";
}
