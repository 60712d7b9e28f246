#include "support/FakePlatform.h"
#include "util/PublicFunction.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QDateTime local(int y, int mo, int d, int h, int mi, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
}

struct TimeCase {
    QDateTime date;
    const char* pattern;
    const char* expected;
};

class RocTime : public testing::TestWithParam<TimeCase> {};

TEST_P(RocTime, CountsTheYearFrom1912) {
    const TimeCase& c = GetParam();
    EXPECT_EQ(PublicFunction::getFormatROCTimeFormatString(c.date, c.pattern), QString(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RocTime,
    testing::Values(TimeCase{local(2014, 12, 31, 23, 59, 7), "yyyyMMddHHmmss", "1031231235907"},
                    TimeCase{local(2014, 12, 31, 23, 59, 7), "yyyy/MM/dd HH:mm", "103/12/31 23:59"},
                    TimeCase{local(2014, 12, 31, 23, 59, 7), "yyyyMMdd", "1031231"},
                    TimeCase{local(2014, 12, 29, 8, 0), "yyyy/MM/dd HH:mm", "103/12/29 08:00"},
                    TimeCase{local(2015, 1, 1, 8, 0), "yyyy/MM/dd HH:mm", "104/01/01 08:00"},
                    TimeCase{local(2011, 1, 1, 0, 0), "yyyyMMdd", "1000101"},
                    TimeCase{local(2010, 6, 1, 10, 0), "yyyy/MM/dd HH:mm", "99/06/01 10:00"}));

TEST(TimeTexts, UseTheLocalTimeZone) {
    // 2014-12-31 16:00 UTC is already 2015-01-01 00:00 in Taipei (the tests' zone).
    const QDateTime utc(QDate(2014, 12, 31), QTime(16, 0), Qt::UTC);
    EXPECT_EQ(PublicFunction::getFormatROCTimeFormatString(utc, "yyyy/MM/dd HH:mm"),
              "104/01/01 00:00");
    EXPECT_EQ(PublicFunction::getFormatTimeFormatString(utc, "yyyy-MM-dd HH:mm:ss"),
              "2015-01-01 00:00:00");
}

TEST(TimeTexts, WithoutADateGiveEmptyTextAndNoText) {
    const QString plain = PublicFunction::getFormatTimeFormatString(std::nullopt, "yyyy");
    EXPECT_TRUE(plain.isEmpty());
    EXPECT_FALSE(plain.isNull());
    EXPECT_EQ(PublicFunction::getFormatROCTimeFormatString(std::nullopt, "yyyy"), std::nullopt);
}

TEST(TimeTexts, NowComesFromTheClock) {
    FakePlatform fake;
    fake.clock.set(local(2015, 6, 30, 14, 5, 9));
    EXPECT_EQ(PublicFunction::getNowROCTime(), "1040630140509");
}

struct ColourCase {
    const char* text;
    int r, g, b, a; // bytes
};

class Colours : public testing::TestWithParam<ColourCase> {};

TEST_P(Colours, ReadEightHexDigitsRedFirstAlphaLast) {
    const ColourCase& c = GetParam();
    const QColor colour = PublicFunction::colorWithHexString(c.text);
    EXPECT_EQ(colour.red(), c.r);
    EXPECT_EQ(colour.green(), c.g);
    EXPECT_EQ(colour.blue(), c.b);
    EXPECT_EQ(colour.alpha(), c.a);
}

INSTANTIATE_TEST_SUITE_P(Strings, Colours,
                         testing::Values(ColourCase{"99CC00FF", 0x99, 0xCC, 0x00, 0xFF},
                                         ColourCase{"FFFFFF33", 255, 255, 255, 0x33},
                                         ColourCase{"0x99CC00FF", 0x99, 0xCC, 0x00, 0xFF},
                                         ColourCase{"  ec407aff", 0xec, 0x40, 0x7a, 0xff},
                                         // Six digits are not RGB: they fill the low three bytes.
                                         ColourCase{"ffffff", 0, 255, 255, 255},
                                         // Reading stops at the first other character.
                                         ColourCase{"ff00zz", 0, 0, 0xff, 0},
                                         // No leading digit: transparent black.
                                         ColourCase{"#ffffffff", 0, 0, 0, 0},
                                         ColourCase{"", 0, 0, 0, 0},
                                         // Only the low 32 bits count.
                                         ColourCase{"1ffffff00", 255, 255, 255, 0}));

TEST(Colours, ComponentsAreBytesOver255) {
    const QColor c = PublicFunction::colorWithHexString("99CC00FF");
    EXPECT_FLOAT_EQ(c.redF(), 0.6f);
    EXPECT_FLOAT_EQ(c.greenF(), 0.8f);
    EXPECT_FLOAT_EQ(c.alphaF(), 1.0f);
    EXPECT_FLOAT_EQ(PublicFunction::colorWithHexString("FFFFFF33").alphaF(), 0.2f);
}

TEST(DeviceIdentifier, IsMadeOnceAndKeptAcrossLaunches) {
    FakePlatform fake;
    const QString first = PublicFunction::getUUID();
    EXPECT_TRUE(QRegularExpression("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$")
                    .match(first)
                    .hasMatch())
        << first.toStdString();
    EXPECT_EQ(PublicFunction::getUUID(), first);

    // A later launch reads the same settings store.
    FakePlatform nextLaunch;
    nextLaunch.settings.values = fake.settings.values;
    EXPECT_EQ(PublicFunction::getUUID(), first);
}

} // namespace
