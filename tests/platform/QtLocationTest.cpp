#include "platform/qt/QtLocation.h"

#include <QDeadlineTimer>
#include <QTemporaryFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Runs Qt's event loop until the source has reported count fixes (or 10 s).
std::vector<LocationFix> collect(LocationSource& source, std::size_t count) {
    std::vector<LocationFix> fixes;
    source.onUpdate = [&](const LocationFix& fix, const std::optional<LocationFix>&) {
        fixes.push_back(fix);
    };
    source.start();
    QDeadlineTimer deadline(10000);
    while (fixes.size() < count && !deadline.hasExpired())
        QTest::qWait(20);
    source.stop();
    return fixes;
}

TEST(QtLocation, AFixedPositionIsReportedFreshlyStamped) {
    QtLocationProvider provider({LocationFix{25.0478, 121.5319, {}}, {}});
    auto source = provider.create();
    const auto fixes = collect(*source, 1);
    ASSERT_EQ(fixes.size(), 1u);
    EXPECT_DOUBLE_EQ(fixes[0].latitude, 25.0478);
    EXPECT_LT(std::abs(fixes[0].timestamp.secsTo(QDateTime::currentDateTime())), 2);
}

TEST(QtLocation, AReplayedNmeaLogCountsAsFresh) {
    QTemporaryFile log;
    ASSERT_TRUE(log.open());
    log.write("$GPRMC,020000.00,A,2502.8680,N,12131.9140,E,0.0,0.0,010615,,,A*50\r\n"
              "$GPRMC,020001.00,A,2502.8690,N,12131.9150,E,0.0,0.0,010615,,,A*51\r\n");
    log.flush();
    QtLocationProvider provider({std::nullopt, log.fileName()});
    auto source = provider.create();
    const auto fixes = collect(*source, 1);
    ASSERT_GE(fixes.size(), 1u);
    EXPECT_NEAR(fixes[0].latitude, 25.04780, 1e-4);
    EXPECT_NEAR(fixes[0].longitude, 121.53190, 1e-4);
    // Recorded in 2015, delivered as now, so the app does not drop it as stale.
    EXPECT_LT(std::abs(fixes[0].timestamp.secsTo(QDateTime::currentDateTime())), 2);
}

TEST(QtLocation, AMissingLogGivesASourceThatNeverReports) {
    QtLocationProvider provider({std::nullopt, "/no/such/file.nmea"});
    auto source = provider.create();
    bool reported = false;
    source->onUpdate = [&](const LocationFix&, const std::optional<LocationFix>&) {
        reported = true;
    };
    source->start();
    QTest::qWait(200);
    EXPECT_FALSE(reported);
}

} // namespace
