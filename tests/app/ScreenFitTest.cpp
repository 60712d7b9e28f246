// The layout a window filling a phone's or tablet's screen shows.
#include "app/ScreenFit.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct Screen {
    QSize screen;
    std::optional<QSizeF> given; // --device
    QSizeF device;               // the points the screens are laid out for
    bool tablet;
    double factor;
};

class PhoneWindow : public testing::TestWithParam<Screen> {};

TEST_P(PhoneWindow, ScalesTheNearestDevicesLayoutToFillTheScreenWithoutCuttingIt) {
    const Screen& s = GetParam();
    const PhoneWindowFit fit = phoneWindowFit(s.screen, s.given);
    EXPECT_DOUBLE_EQ(fit.device.width(), s.device.width());
    EXPECT_NEAR(fit.device.height(), s.device.height(), 0.01);
    EXPECT_EQ(fit.tablet, s.tablet);
    EXPECT_NEAR(fit.factor, s.factor, 0.001);
    // The whole layout shows on the screen.
    EXPECT_LE(fit.device.width() * fit.factor, s.screen.width() + 0.01);
    EXPECT_LE(fit.device.height() * fit.factor, s.screen.height() + 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PhoneWindow,
    testing::Values(
        // A 360x720 phone: the phone layout 1.125 times larger, taller to fill it.
        Screen{{360, 720}, std::nullopt, {320, 640}, false, 1.125},
        Screen{{320, 568}, std::nullopt, {320, 568}, false, 1},
        Screen{{320, 480}, std::nullopt, {320, 480}, false, 1},
        Screen{{480, 720}, std::nullopt, {320, 480}, false, 1.5},
        // Shorter than the phone's shape: the phone layout whole, narrower than the screen.
        Screen{{480, 800}, std::nullopt, {320, 568}, false, 800.0 / 568},
        Screen{{768, 1024}, std::nullopt, {768, 1024}, true, 1},
        Screen{{800, 1280}, std::nullopt, {768, 1228.8}, true, 800.0 / 768},
        // Landscape: the portrait layout whole, centred.
        Screen{{720, 360}, std::nullopt, {320, 568}, false, 360.0 / 568},
        Screen{{1024, 768}, std::nullopt, {768, 1024}, true, 0.75},
        // A device asked for keeps its class.
        Screen{{360, 720}, QSizeF(768, 1024), {768, 1536}, true, 360.0 / 768}));

} // namespace
