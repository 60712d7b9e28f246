#include "store/BaseVars.h"
#include "store/RecordingLocationControl.h"
#include "support/FakePlatform.h"
#include "util/PlistParameterFileOverride.h"

#include <gtest/gtest.h>

namespace {

TEST(BaseVars, SmallPhoneIsExactly480PointsHigh) {
    const struct {
        QSizeF screen;
        bool is3Inch5;
    } cases[] = {
        {{320, 480}, true}, {{320, 568}, false}, {{320, 480.5}, false}, {{768, 1024}, false}};
    for (const auto& c : cases) {
        FakePlatform fake;
        fake.device.size = c.screen;
        EXPECT_EQ(BaseVars().is3Inch5(), c.is3Inch5) << c.screen.height();
    }
}

TEST(BaseVars, SystemVersionIsReadAsADecimalNumber) {
    const struct {
        const char* version;
        bool atLeast8;
    } cases[] = {{"7.1.2", false}, {"8.0", true}, {"10.3", true}, {"8", true},
                 {"7.9.9", false}, {"", false},   {"abc", false}, {" 9.1", true}};
    for (const auto& c : cases) {
        FakePlatform fake;
        fake.device.version = c.version;
        EXPECT_EQ(BaseVars().ios8Version(), c.atLeast8) << c.version;
    }
    EXPECT_EQ(BaseVars::decimalValue("7.1.2"), 7.1);
    EXPECT_EQ(BaseVars::decimalValue("10.3.1 beta"), 10.3);
    EXPECT_EQ(BaseVars::decimalValue("x8.0"), 0.0);
}

TEST(BaseVars, ServerAddressComesFromTheParameterFile) {
    FakePlatform fake;
    PlistDict dict;
    dict.insert(serverIpKey, "192.168.1.20:8080");
    {
        ParameterFileOverride parameters(dict);
        EXPECT_EQ(BaseVars().serverIp(), "192.168.1.20:8080");
    }
    dict.remove(serverIpKey);
    ParameterFileOverride parameters(dict);
    EXPECT_EQ(BaseVars().serverIp(), "");
}

TEST(BaseVars, EveryAssignmentOfTheGpsSwitchStartsOrStops) {
    FakePlatform fake;
    RecordingLocationControl control;
    {
        BaseVars vars;
        vars.setUserLocationControl(&control);
        EXPECT_TRUE(control.calls.isEmpty()) << "no call before the first assignment";
        vars.setIsOpenGps(true);
        vars.setIsOpenGps(true);
        EXPECT_TRUE(vars.isOpenGps());
        vars.setIsOpenGps(false);
        vars.observeValueForKeyPath("networkState");
        EXPECT_EQ(control.calls, QStringList({"start", "start", "stop"}));
        vars.setIsOpenGps(true);
    }
    // Going away switches the GPS off.
    EXPECT_EQ(control.calls, QStringList({"start", "start", "stop", "start", "stop"}));
}

TEST(BaseVars, WithoutAControlTheSwitchOnlyKeepsItsValue) {
    FakePlatform fake;
    BaseVars vars;
    vars.setIsOpenGps(true);
    EXPECT_TRUE(vars.isOpenGps());
}

} // namespace
