#include "app/AppOptions.h"

#include <gtest/gtest.h>

namespace {

std::optional<AppOptions> parse(QStringList args, QString* error) {
    args.prepend("inspector-app");
    return AppOptions::parse(args, error);
}

struct DeviceCase {
    const char* name;
    QSizeF size;
    bool tablet;
};

class DeviceOption : public testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceOption, PicksTheScreenTheAppPretendsToHave) {
    QString error;
    const auto options = parse({"--device", GetParam().name}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->screenSize, GetParam().size);
    EXPECT_EQ(options->tablet, GetParam().tablet);
}

INSTANTIATE_TEST_SUITE_P(Devices, DeviceOption,
                         testing::Values(DeviceCase{"phone", {320, 568}, false},
                                         DeviceCase{"phone35", {320, 480}, false},
                                         DeviceCase{"tablet", {768, 1024}, true}));

TEST(AppOptions, DefaultsToAnOnlinePhone) {
    QString error;
    const auto options = parse({}, &error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->screenSize, QSizeF(320, 568));
    EXPECT_FALSE(options->offline);
    EXPECT_FALSE(options->location);
    EXPECT_FALSE(options->deviceGiven);
    EXPECT_FALSE(options->fullscreen);
}

TEST(AppOptions, ReadsEveryOption) {
    QString error;
    const auto options = parse({"--location",    "25.0478,121.5319",
                                "--nmea",        "drive.nmea",
                                "--offline",     "--home",
                                "/tmp/run",      "--parameters",
                                "p.plist",       "--qr-images",
                                "codes",         "--photos",
                                "shots",         "--scenario",
                                "walk.scenario", "--screenshots",
                                "pictures",      "--fullscreen",
                                "--device",      "phone",
                                "--camera",      "live"},
                               &error);
    ASSERT_TRUE(options) << error.toStdString();
    ASSERT_TRUE(options->location);
    EXPECT_DOUBLE_EQ(options->location->latitude, 25.0478);
    EXPECT_DOUBLE_EQ(options->location->longitude, 121.5319);
    EXPECT_EQ(options->nmeaFile, "drive.nmea");
    EXPECT_TRUE(options->offline);
    EXPECT_EQ(options->home, "/tmp/run");
    EXPECT_EQ(options->parameters, "p.plist");
    EXPECT_EQ(options->qrImages, "codes");
    EXPECT_EQ(options->photos, "shots");
    EXPECT_EQ(options->scenario, "walk.scenario");
    EXPECT_EQ(options->screenshots, "pictures");
    EXPECT_TRUE(options->fullscreen);
    EXPECT_TRUE(options->deviceGiven);
    EXPECT_TRUE(options->liveCamera);
    EXPECT_FALSE(parse({}, &error)->liveCamera);
}

TEST(AppOptions, RefusesBadValuesWithAReason) {
    for (const QStringList& args :
         {QStringList{"--device", "watch"}, QStringList{"--location", "25.0"},
          QStringList{"--location", "north,east"}, QStringList{"--location", "95,10"},
          QStringList{"--camera", "webcam"}, QStringList{"--camera"},
          QStringList{"--no-such-option"}}) {
        QString error;
        EXPECT_FALSE(parse(args, &error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
