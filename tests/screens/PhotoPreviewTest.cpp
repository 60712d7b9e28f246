#include "screens/PhotoPreviewViewController.h"
#include "screens/PhotoZoomArea.h"
#include "store/PublicVars.h"
#include "support/FakePlatform.h"
#include "support/Fingers.h"
#include "support/PhotoTestImages.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

struct Centring {
    QSizeF area;
    QSizeF photo;
    float scale;
    QRectF frame; // at that scale
};

class FitAndCentre : public testing::TestWithParam<Centring> {};

TEST_P(FitAndCentre, ShowsTheWholePhotoInTheMiddle) {
    const Centring& c = GetParam();
    const float scale = fitZoomScale(c.area, c.photo);
    EXPECT_FLOAT_EQ(scale, c.scale);
    // Single-precision scales land within a thousandth of a point.
    const QRectF frame = centeredFrameForScrollViewAndUIView(c.area, c.photo * scale);
    EXPECT_NEAR(frame.x(), c.frame.x(), 1e-3);
    EXPECT_NEAR(frame.y(), c.frame.y(), 1e-3);
    EXPECT_NEAR(frame.width(), c.frame.width(), 1e-3);
    EXPECT_NEAR(frame.height(), c.frame.height(), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Photos, FitAndCentre,
    testing::Values(Centring{{320, 460}, {1000, 750}, 0.32f, {0, 110, 320, 240}},
                    Centring{
                        {320, 460}, {750, 1000}, 0.426666677f, {0, 16.666666, 320, 426.666666}},
                    Centring{{320, 460}, {320, 460}, 1.0f, {0, 0, 320, 460}},
                    Centring{{320, 460}, {100, 100}, 3.2f, {0, 70, 320, 320}}));

TEST(Centring, AViewLargerThanTheAreaStartsAtItsCorner) {
    EXPECT_EQ(centeredFrameForScrollViewAndUIView({320, 460}, {640, 480}), QRectF(0, 0, 640, 480));
    EXPECT_EQ(centeredFrameForScrollViewAndUIView({320, 460}, {640, 100}),
              QRectF(0, 180, 640, 100));
}

struct Preview : testing::Test {
    Preview() {
        PublicVars::resetSharedInstanceForTesting();
        // A 460-point zoom area under the 44-point bar.
        nav.resize(320, 460 + NavigationBar::kHeight);
        nav.show();
        below = new ViewController;
        nav.pushViewController(below, false);
    }
    ~Preview() override { PublicVars::resetSharedInstanceForTesting(); }

    PhotoPreviewViewController* open(bool deleteHidden) {
        auto* preview = PhotoPreviewViewController::initWithTitleWithImageHasDeleteHidden(
            QString::fromUtf8("照片檢視"), filledImage(1000, 750, Qt::darkGreen), deleteHidden);
        nav.pushViewController(preview, true);
        return preview;
    }

    FakePlatform fake;
    NavigationController nav;
    ViewController* below = nullptr;
};

TEST_F(Preview, OpensFittedAndZoomsBetweenTheFitAndTwice) {
    PhotoPreviewViewController* preview = open(false);
    PhotoZoomArea* area = preview->imageScrollView;
    ASSERT_EQ(area->size(), QSize(320, 460));
    EXPECT_FLOAT_EQ(area->zoomScale(), 0.32f);
    EXPECT_EQ(preview->_imageView->geometry(), QRect(0, 110, 320, 240));

    area->setZoomScale(10);
    EXPECT_FLOAT_EQ(area->zoomScale(), 2.0f);
    EXPECT_EQ(preview->_imageView->geometry(), QRect(0, 0, 2000, 1500));
    area->setZoomScale(0.01f);
    EXPECT_FLOAT_EQ(area->zoomScale(), 0.32f);

    // One notch of the wheel zooms in, and the photo stays in the middle.
    QWheelEvent notch(QPointF(160, 230), area->mapToGlobal(QPointF(160, 230)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(area, &notch);
    EXPECT_GT(area->zoomScale(), 0.32f);
    const QRect shown = preview->_imageView->geometry();
    EXPECT_EQ(shown.x(), 0);
    EXPECT_NEAR(shown.center().y(), 230, 1);
}

TEST_F(Preview, DeletingAsksAndHandsTheAnswerBack) {
    PhotoPreviewViewController* preview = open(false);
    ASSERT_NE(preview->rightBarButton(), nullptr);
    EXPECT_EQ(preview->rightBarButton()->text(), QString::fromUtf8("刪除"));
    EXPECT_EQ(preview->title(), QString::fromUtf8("照片檢視"));

    preview->deletePhoto();
    EXPECT_EQ(fake.alerts.current().title, QString::fromUtf8("照片刪除確認"));
    EXPECT_EQ(fake.alerts.current().message, QString::fromUtf8("你確定要刪除此張照片?"));
    EXPECT_EQ(fake.alerts.current().tag, 1);
    fake.alerts.press("否");
    EXPECT_EQ(nav.topViewController(), preview);
    EXPECT_FALSE(PublicVars::sharedInstance().isNeedDelete());

    preview->deletePhoto();
    fake.alerts.press("是");
    EXPECT_EQ(nav.topViewController(), below);
    EXPECT_TRUE(PublicVars::sharedInstance().isNeedDelete());
}

TEST_F(Preview, WithDeletionHiddenThereIsNoDeleteButton) {
    PhotoPreviewViewController* preview = open(true);
    EXPECT_EQ(preview->rightBarButton(), nullptr);
    EXPECT_EQ(preview->findChild<QPushButton*>("deletePhoto"), nullptr);
    EXPECT_FLOAT_EQ(preview->imageScrollView->zoomScale(), 0.32f);
}

// Two fingers zoom about the point between them, within the fit and twice
// the photo; one finger pans a photo larger than the area, never past its
// edges.
TEST_F(Preview, TwoFingersZoomWithinTheLimitsAndOneFingerPans) {
    PhotoPreviewViewController* preview = open(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&nav));
    PhotoZoomArea* area = preview->imageScrollView;
    QLabel* photo = preview->_imageView;
    // At the fit, the photo is as wide as the area: a finger moves nothing.
    fingers::drag(area, QPoint(100, 200), QPoint(180, 260), 4, 0, 0);
    EXPECT_EQ(photo->geometry(), QRect(0, 110, 320, 240));

    // Spread to twice as far apart about the middle: the photo's middle
    // stays under the fingers.
    fingers::pinch(area, QPointF(160, 230), 80, 2);
    EXPECT_NEAR(area->zoomScale(), 0.64f, 0.01f);
    EXPECT_NEAR(photo->geometry().center().x(), 160, 3);
    EXPECT_NEAR(photo->geometry().center().y(), 230, 3);
    // About a point off the middle: the photo's point under it stays there.
    const QPointF at(60, 100);
    const QPointF under = (at - QPointF(photo->pos())) / area->zoomScale();
    fingers::pinch(area, at, 60, 1.25);
    EXPECT_NEAR(area->zoomScale(), 0.8f, 0.02f);
    const QPointF now = QPointF(photo->pos()) + under * area->zoomScale();
    EXPECT_NEAR(now.x(), at.x(), 3);
    EXPECT_NEAR(now.y(), at.y(), 3);

    // One finger pans, and stops at the photo's edges.
    const QPoint before = photo->pos();
    fingers::drag(area, QPoint(200, 300), QPoint(170, 260), 4, 0, 0);
    EXPECT_EQ(photo->pos(), before + QPoint(-30, -40));
    fingers::drag(area, QPoint(100, 100), QPoint(300, 400), 4, 0, 0);
    fingers::drag(area, QPoint(100, 100), QPoint(300, 400), 4, 0, 0);
    EXPECT_EQ(photo->pos(), QPoint(0, 0));

    // Spread far: no more than twice the photo; pinched hard: back to the fit.
    fingers::pinch(area, QPointF(160, 230), 40, 6);
    EXPECT_FLOAT_EQ(area->zoomScale(), 2.0f);
    EXPECT_EQ(photo->size(), QSize(2000, 1500));
    fingers::pinch(area, QPointF(160, 230), 240, 0.1);
    EXPECT_FLOAT_EQ(area->zoomScale(), 0.32f);
    EXPECT_EQ(photo->geometry(), QRect(0, 110, 320, 240));
}

} // namespace
