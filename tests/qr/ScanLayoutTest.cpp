#include "qr/ScanLayout.h"
#include "fixtures/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct Screen {
    const char* name;
    QSizeF size;
    float side;
    QRectF square;
    QRectF region;
};

// The side is 0.7 of the shorter side in single precision: 537.6 becomes
// 537.5999755859375, and the positions follow from that value.
const Screen kScreens[] = {
    {"phone",
     {320, 568},
     224.0f,
     {48, 140, 224, 224},
     {140.0 / 568, 48.0 / 320, 224.0 / 568, 224.0 / 320}},
    {"small phone",
     {320, 480},
     224.0f,
     {48, 96, 224, 224},
     {96.0 / 480, 48.0 / 320, 224.0 / 480, 224.0 / 320}},
    {"tablet",
     {768, 1024},
     537.5999755859375f,
     {115.20001220703125, 211.20001220703125, 537.5999755859375, 537.5999755859375},
     {211.20001220703125 / 1024, 115.20001220703125 / 768, 537.5999755859375 / 1024,
      537.5999755859375 / 768}},
};

TEST(ScanLayout, PlacesTheSquareAndItsRegionOfInterest) {
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        const ScanLayout layout = scanLayoutFor(screen.size);
        EXPECT_EQ(layout.side, screen.side);
        EXPECT_EQ(layout.square, screen.square);
        EXPECT_DOUBLE_EQ(layout.regionOfInterest.x(), screen.region.x());
        EXPECT_DOUBLE_EQ(layout.regionOfInterest.y(), screen.region.y());
        EXPECT_DOUBLE_EQ(layout.regionOfInterest.width(), screen.region.width());
        EXPECT_DOUBLE_EQ(layout.regionOfInterest.height(), screen.region.height());
    }
}

TEST(ScanLayout, VeilsEverythingOutsideTheSquare) {
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        const ScanLayout layout = scanLayoutFor(screen.size);
        const QRectF whole(QPointF(0, 0), screen.size);
        double area = 0;
        for (const QRectF& shade : layout.shades) {
            EXPECT_FALSE(shade.intersects(layout.square));
            EXPECT_TRUE(whole.contains(shade));
            area += shade.width() * shade.height();
        }
        const double s = layout.side;
        EXPECT_NEAR(area, whole.width() * whole.height() - s * s, 1e-6);
    }
}

TEST(ScanLayout, PutsCornersLineAndHintOnThePhone) {
    const ScanLayout layout = scanLayoutFor({320, 568});
    EXPECT_EQ(layout.usableHeight, 504);
    const std::array<QRectF, 4> corners = {QRectF(48, 140, 56, 56), QRectF(216, 140, 56, 56),
                                           QRectF(48, 308, 56, 56), QRectF(216, 308, 56, 56)};
    EXPECT_EQ(layout.corners, corners);
    EXPECT_EQ(layout.scanLine, QRectF(48, 140, 224, 10));
    EXPECT_EQ(layout.infoLabel, QRectF(48, 374, 224, 40));
}

TEST(ScanLayout, PlacesTheFootBarByDevice) {
    struct Case {
        const char* name;
        QSizeF screen;
        bool tablet;
        QRectF bar;
        QRectF label; // its left, top and height bind; its width fills up to the button
        QRectF button;
        int fontSize;
    };
    const Case cases[] = {
        {"phone", {320, 568}, false, {0, 454, 320, 50}, {10, 17, 242, 20}, {262, 17, 48, 20}, 16},
        {"tablet", {768, 1024}, true, {0, 900, 768, 60}, {10, 18, 678, 28}, {698, 18, 60, 28}, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FootLayout foot = footLayoutFor(c.screen, c.tablet);
        EXPECT_EQ(foot.bar, c.bar);
        EXPECT_EQ(foot.label, c.label);
        EXPECT_EQ(foot.button, c.button);
        EXPECT_EQ(foot.fontSize, c.fontSize);
    }
}

TEST(ScanLayout, SweepsFromTheTopEdgeToRestOnTheBottomEdge) {
    const SweepPath phone = sweepPathFor({320, 504}, 10);
    EXPECT_EQ(phone.top, 140);
    EXPECT_EQ(phone.bottom, 354);
    const SweepPath tablet = sweepPathFor({768, 960}, 10);
    EXPECT_DOUBLE_EQ(tablet.top, 211.20001220703125);
    EXPECT_DOUBLE_EQ(tablet.bottom, 211.20001220703125 + 537.5999755859375 - 10);
}

} // namespace
