#include "support/PhotoTestImages.h"
#include "support/FakePlatform.h"
#include "util/PublicFunction.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor kPhotoColor(40, 80, 120);

void expectCanvas(const QImage& image) {
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
}

bool near(QColor actual, QColor expected, int tolerance) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance &&
           std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

class PhotoStamping : public testing::Test {
  protected:
    FakePlatform platform;
};

struct ShrinkCase {
    QSize from;
    QSize to;
};

class Shrinking : public testing::TestWithParam<ShrinkCase> {};

TEST_P(Shrinking, FitsTheBoxAndRoundsEachSideToTheNearestPixel) {
    const QImage shrunk = PublicFunction::imageByShrinkingWithWidthWithHeight(
        filledImage(GetParam().from.width(), GetParam().from.height(), kPhotoColor), 1000, 1000);
    EXPECT_EQ(shrunk.size(), GetParam().to);
    expectCanvas(shrunk);
    EXPECT_EQ(shrunk.pixelColor(shrunk.width() / 2, shrunk.height() / 2), kPhotoColor);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Shrinking,
                         testing::Values(ShrinkCase{{3264, 2448}, {1000, 750}},
                                         ShrinkCase{{2448, 3264}, {750, 1000}},
                                         ShrinkCase{{4032, 3024}, {1000, 750}},
                                         ShrinkCase{{1000, 1000}, {1000, 1000}},
                                         ShrinkCase{{1125, 2000}, {563, 1000}}, // 562.5 rounds up
                                         ShrinkCase{{3001, 1999}, {1000, 666}}, // 666.1
                                         ShrinkCase{{20000, 1}, {1000, 1}}, // never below one pixel
                                         ShrinkCase{{1, 20000}, {1, 1000}}));

TEST(ShrinkingSmallPictures, ReturnsThePictureItself) {
    const QImage photo = filledImage(800, 600, kPhotoColor);
    const QImage same = PublicFunction::imageByShrinkingWithWidthWithHeight(photo, 1000, 1000);
    EXPECT_EQ(same.cacheKey(), photo.cacheKey());
    EXPECT_TRUE(PublicFunction::imageByShrinkingWithWidthWithHeight(QImage(), 1000, 1000).isNull());
}

TEST(ShrinkingDetail, AveragesInsteadOfAliasing) {
    // A one-pixel checkerboard must shrink to even grey; sampling a few
    // source pixels per target pixel would leave near-black and near-white.
    QImage board(3264, 2448, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(board.scanLine(y));
        for (int x = 0; x < board.width(); ++x)
            line[x] = (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    const QImage shrunk = PublicFunction::imageByShrinkingWithWidthWithHeight(board, 1000, 1000);
    const PixelSpan offGrey =
        pixelsWhere(shrunk, shrunk.rect(), [](QColor c) { return std::abs(c.red() - 128) > 24; });
    EXPECT_EQ(offGrey.count, 0);

    const QImage halves = PublicFunction::imageByShrinkingWithWidthWithHeight(
        redLeftBlueRight(3264, 2448), 1000, 1000);
    EXPECT_EQ(halves.pixelColor(10, 375), QColor(Qt::red));
    EXPECT_EQ(halves.pixelColor(990, 375), QColor(Qt::blue));
}

TEST_F(PhotoStamping, CheckNumberEndsTenPixelsBeforeTheRightEdgeOnTheFirstLine) {
    const QImage photo = filledImage(1000, 750, kPhotoColor);
    const QImage stamped = PublicFunction::drawTextInImageAtPoint("A-1030 5678", photo, {820, 0});
    expectCanvas(stamped);
    const PixelSpan ink = pixelsWhere(stamped, stamped.rect(), isYellow);
    ASSERT_GT(ink.count, 50);
    EXPECT_LT(ink.bounds.bottom(), 40); // one line, at the top
    EXPECT_GE(ink.bounds.right(), 983); // the last glyph's side bearing
    EXPECT_LE(ink.bounds.right(), 989);
    EXPECT_GT(
        pixelsWhere(stamped, ink.bounds, [](QColor c) { return c == QColor(Qt::yellow); }).count,
        0);
    EXPECT_EQ(stamped.pixelColor(500, 400), kPhotoColor);
    EXPECT_EQ(stamped.pixelColor(999, 10), kPhotoColor);

    EXPECT_EQ(PublicFunction::drawTextInImageAtPoint("A-1030 5678", photo, {0, 600}), stamped);
}

TEST_F(PhotoStamping, LongCheckNumbersWrapInsideTheMargin) {
    const QImage photo = filledImage(300, 200, kPhotoColor);
    for (const QString& text : {QString("A12 B34 C56 D78 E90 F12 G34 H56 J78"), QString(60, 'X')}) {
        SCOPED_TRACE(text.toStdString());
        const QImage stamped = PublicFunction::drawTextInImageAtPoint(text, photo, {120, 0});
        const PixelSpan ink = pixelsWhere(stamped, stamped.rect(), isYellow);
        EXPECT_LE(ink.bounds.right(), 289);
        EXPECT_GT(pixelsWhere(stamped, QRect(0, 40, 300, 40), isYellow).count, 0); // second line
    }
}

TEST_F(PhotoStamping, EmptyCheckNumberLeavesThePhoto) {
    const QImage photo = filledImage(1000, 750, kPhotoColor);
    EXPECT_EQ(PublicFunction::drawTextInImageAtPoint("", photo, {820, 0}),
              photo.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(
        PublicFunction::drawTextInImageAtPoint("A1", filledImage(8, 8, kPhotoColor), {}).size(),
        QSize(8, 8));
}

TEST_F(PhotoStamping, NameBoxIsTranslucentWhiteAtTheBottomCentre) {
    const QImage photo = filledImage(1000, 750, kPhotoColor);
    const QImage stamped = PublicFunction::drawNameTextInImage("王小明", photo);
    expectCanvas(stamped);
    // White at 0.7 over the photo.
    const QColor box(qRound(255 * 0.7 + 40 * 0.3), qRound(255 * 0.7 + 80 * 0.3),
                     qRound(255 * 0.7 + 120 * 0.3));
    for (const QPoint p : {QPoint(425, 704), QPoint(574, 743), QPoint(428, 740), QPoint(572, 706)})
        EXPECT_TRUE(near(stamped.pixelColor(p), box, 2)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(424, 720), QPoint(575, 720), QPoint(500, 703), QPoint(500, 744)})
        EXPECT_EQ(stamped.pixelColor(p), kPhotoColor) << p.x() << "," << p.y();

    // Three characters show whole, clear of the box's sides.
    const PixelSpan ink = pixelsWhere(stamped, stamped.rect(), isBlue);
    ASSERT_GT(ink.count, 50);
    EXPECT_GT(ink.bounds.left(), 430);
    EXPECT_LT(ink.bounds.right(), 570);
    EXPECT_GE(ink.bounds.top(), 704);
}

TEST_F(PhotoStamping, LongNameIsCutAtTheBoxSides) {
    const QImage stamped = PublicFunction::drawNameTextInImage("王小明陳大同林美麗",
                                                               filledImage(1000, 750, kPhotoColor));
    const PixelSpan ink = pixelsWhere(stamped, stamped.rect(), isBlue);
    EXPECT_EQ(ink.bounds.left(), 425);
    EXPECT_EQ(ink.bounds.right(), 574);
    EXPECT_GE(ink.bounds.top(), 704);
    EXPECT_LE(ink.bounds.bottom(), 743);
}

TEST_F(PhotoStamping, NameBoxIsMaskedByThePhotosAlpha) {
    // Left half transparent: the box shows only over the right half.
    QImage photo(200, 100, QImage::Format_ARGB32_Premultiplied);
    photo.fill(Qt::transparent);
    QPainter(&photo).fillRect(100, 0, 100, 100, kPhotoColor);
    const QImage stamped = PublicFunction::drawNameTextInImage("", photo);
    EXPECT_EQ(stamped.pixelColor(40, 70).alpha(), 0);
    EXPECT_EQ(stamped.pixelColor(160, 70).alpha(), 255);
    EXPECT_GT(stamped.pixelColor(160, 70).red(), 150);
}

TEST(Framing, PutsThePhotoAtFifteenInsideAMirroredFrame) {
    QImage photo = filledImage(1000, 750, kPhotoColor);
    photo.setPixelColor(0, 0, Qt::magenta);
    QImage frame = filledImage(10, 10, Qt::green);
    QPainter(&frame).fillRect(0, 0, 10, 5, Qt::red); // red on top in the file

    const QImage framed = PublicFunction::addBorderToImageFrameImage(photo, frame);
    expectCanvas(framed);
    ASSERT_EQ(framed.size(), QSize(1030, 780));
    EXPECT_EQ(framed.pixelColor(15, 15), QColor(Qt::magenta));
    EXPECT_EQ(framed.pixelColor(1014, 764), kPhotoColor);
    EXPECT_EQ(framed.pixelColor(515, 5), QColor(Qt::green)); // mirrored: green on top
    EXPECT_EQ(framed.pixelColor(515, 774), QColor(Qt::red));
    EXPECT_EQ(framed.pixelColor(5, 200), QColor(Qt::green));
    EXPECT_EQ(framed.pixelColor(1024, 600), QColor(Qt::red));
}

TEST(Framing, OurPhotoFrameShowsLightOnTopAndDarkBelow) {
    const QImage frame(":/photoframe.png");
    ASSERT_FALSE(frame.isNull());
    const QImage framed =
        PublicFunction::addBorderToImageFrameImage(filledImage(1000, 750, kPhotoColor), frame);
    EXPECT_GT(framed.pixelColor(515, 7).lightness(), framed.pixelColor(515, 772).lightness() + 60);
    EXPECT_FALSE(QImage(":/whiteFrame.png").isNull());
}

TEST(Rounding, MakesTheCornersTransparentAndKeepsTheRest) {
    QImage photo = filledImage(200, 100, kPhotoColor);
    QPainter(&photo).fillRect(100, 50, 100, 50, Qt::yellow); // to show it is not moved
    const QImage rounded = PublicFunction::imageByCornerRadiusWithRadius(photo, 20);
    expectCanvas(rounded);
    for (const QPoint p : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 99), QPoint(199, 99),
                           QPoint(3, 3), QPoint(196, 96)})
        EXPECT_EQ(rounded.pixelColor(p).alpha(), 0) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(20, 20), QPoint(100, 0), QPoint(0, 50), QPoint(199, 50),
                           QPoint(100, 99), QPoint(150, 75), QPoint(179, 79), QPoint(99, 49)})
        EXPECT_EQ(rounded.pixelColor(p), photo.pixelColor(p)) << p.x() << "," << p.y();
}

} // namespace
