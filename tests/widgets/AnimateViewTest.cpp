#include "widgets/AnimateView.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

TEST(AnimateView, CornerRadiusFollowsTheDevice) {
    FakePlatform platform;
    platform.device.tablet = true;
    EXPECT_EQ(AnimateView().cornerRadius(), 30);
    platform.device.tablet = false;
    EXPECT_EQ(AnimateView().cornerRadius(), 18);
}

TEST(AnimateView, ClipsItsContentToTheRoundedShape) {
    FakePlatform platform;
    QWidget screen;
    screen.resize(240, 160);
    screen.setAutoFillBackground(true);
    screen.setPalette(QPalette(Qt::white));
    AnimateView view(&screen);
    view.setGeometry(20, 20, 200, 120);
    QWidget content(&view);
    content.setGeometry(view.rect());
    content.setAutoFillBackground(true);
    content.setPalette(QPalette(Qt::red));

    // Where the panel shows, seen in the screen that holds it.
    const QImage shown = screen.grab().toImage().copy(view.geometry());
    for (const QPoint p : {QPoint(2, 2), QPoint(197, 2), QPoint(2, 117), QPoint(197, 117)})
        EXPECT_EQ(shown.pixelColor(p), QColor(Qt::white)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(100, 60), QPoint(18, 0), QPoint(0, 60), QPoint(199, 60),
                           QPoint(100, 119), QPoint(8, 8)})
        EXPECT_EQ(shown.pixelColor(p), QColor(Qt::red)) << p.x() << "," << p.y();
}

} // namespace
