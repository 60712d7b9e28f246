#include "util/PhotoPipeline.h"
#include "support/FakePlatform.h"
#include "support/LibjpegFiles.h"
#include "support/PhotoTestImages.h"
#include "util/PhotoPipelineDecoder.h"
#include "util/PublicFunction.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// A smooth picture with some structure, so resampling differences show.
QImage scene(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(30, 90, 40));
    gradient.setColorAt(1, QColor(220, 200, 170));
    painter.fillRect(image.rect(), gradient);
    painter.fillRect(width / 4, height / 4, width / 2, height / 2, QColor(90, 60, 150));
    return image;
}

QImage decoded(const std::optional<QByteArray>& jpeg) {
    return jpeg ? QImage::fromData(*jpeg, "jpeg") : QImage();
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                   std::abs(p.blue() - q.blue());
        }
    return sum / (3.0 * a.width() * a.height());
}

class PhotoPipeline : public testing::Test {
  protected:
    FakePlatform platform;
};

TEST_F(PhotoPipeline, ShrinksAndStampsACameraPhoto) {
    const QByteArray camera = jpegOf(scene(3264, 2448));
    const QImage withName = decoded(stampTakenPhoto(camera, "A1030", QString("王小明")));
    ASSERT_EQ(withName.size(), QSize(1000, 750));
    EXPECT_GT(pixelsWhere(withName, QRect(850, 0, 140, 36), isYellow).count, 30);
    EXPECT_GT(pixelsWhere(withName, QRect(425, 704, 150, 40), isBlue).count, 30);

    const QImage withoutName = decoded(stampTakenPhoto(camera, "A1030", std::nullopt));
    ASSERT_EQ(withoutName.size(), QSize(1000, 750));
    EXPECT_GT(pixelsWhere(withoutName, QRect(850, 0, 140, 36), isYellow).count, 30);
    EXPECT_EQ(pixelsWhere(withoutName, QRect(425, 704, 150, 40), isBlue).count, 0);
    EXPECT_TRUE(platform.log.lines.isEmpty());
}

// The pipeline decodes at a reduced scale; it must still give the size and,
// within JPEG noise, the pixels that shrinking the full picture gives.
class PipelineAgreesWithShrinking : public testing::TestWithParam<QSize> {
  protected:
    FakePlatform platform;
};

TEST_P(PipelineAgreesWithShrinking, SameSizeAndNearlyTheSamePixels) {
    const QByteArray camera = jpegOf(scene(GetParam().width(), GetParam().height()), 100);
    const QImage full = QImage::fromData(camera, "jpeg");
    const QImage expected = PublicFunction::imageByShrinkingWithWidthWithHeight(full, 1000, 1000);

    QString error;
    const QImage fast = decodeShrunkPhoto(camera, QSize(1000, 1000), &error);
    ASSERT_EQ(fast.size(), expected.size()) << error.toStdString();
    EXPECT_LT(meanDifference(fast, expected), 1.5);
    EXPECT_EQ(decoded(stampTakenPhoto(camera, "A1", std::nullopt)).size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(Sizes, PipelineAgreesWithShrinking,
                         testing::Values(QSize(3264, 2448), QSize(2448, 3264), QSize(4033, 3025),
                                         QSize(1125, 2000), QSize(8000, 999), QSize(999, 1001),
                                         QSize(800, 600), QSize(1, 1)));

struct OrientationCase {
    int exif;
    QPoint red;  // where the stored left half shows, upright
    QPoint blue; // and the right half
};

class PipelineOrientation : public testing::TestWithParam<OrientationCase> {
  protected:
    FakePlatform platform;
};

TEST_P(PipelineOrientation, DrawsThePhotoUpright) {
    const QByteArray camera =
        withExifOrientation(jpegOf(redLeftBlueRight(2000, 1500)), GetParam().exif);
    const QImage photo = decoded(stampTakenPhoto(camera, "", std::nullopt));
    const bool quarterTurn = GetParam().exif >= 5;
    ASSERT_EQ(photo.size(), quarterTurn ? QSize(750, 1000) : QSize(1000, 750));
    const auto isRed = [](QColor c) { return c.red() > 200 && c.blue() < 60; };
    const auto isPureBlue = [](QColor c) { return c.blue() > 200 && c.red() < 60; };
    EXPECT_TRUE(isRed(photo.pixelColor(GetParam().red)));
    EXPECT_TRUE(isPureBlue(photo.pixelColor(GetParam().blue)));
}

INSTANTIATE_TEST_SUITE_P(Exif, PipelineOrientation,
                         testing::Values(OrientationCase{1, {250, 375}, {750, 375}},
                                         OrientationCase{3, {750, 375}, {250, 375}},
                                         OrientationCase{6, {375, 250}, {375, 750}},
                                         OrientationCase{8, {375, 750}, {375, 250}}));

TEST_F(PhotoPipeline, RefusesWhatIsNotAWholePicture) {
    const QByteArray camera = jpegOf(scene(1600, 1200));
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("not a photo at all")},
        {"cut off", camera.left(camera.size() * 6 / 10)},
        {"header only", camera.left(600)},
        {"too large to decode", flatGreyJpeg(65000, 65000)},
        // Qt's readers of these hand back what they read of a file cut short.
        {"GIF", encoded(scene(160, 120), "gif")},
        {"BMP", encoded(scene(160, 120), "bmp")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.log.lines.clear();
        EXPECT_FALSE(stampTakenPhoto(c.bytes, "A1", QString("王小明")));
        ASSERT_EQ(platform.log.lines.size(), 1);
        EXPECT_TRUE(platform.log.lines[0].startsWith("photo not stamped: "));
    }
}

TEST_F(PhotoPipeline, HandlesOddButValidPictures) {
    const QByteArray png = encoded(scene(2000, 1000), "png");
    EXPECT_EQ(decoded(stampTakenPhoto(jpegOf(scene(1, 1)), "A1", QString("王"))).size(),
              QSize(1, 1));
    EXPECT_EQ(decoded(stampTakenPhoto(png, "A1", std::nullopt)).size(), QSize(1000, 500));
    const QImage huge = decoded(stampTakenPhoto(flatGreyJpeg(20000, 20000), "A1", std::nullopt));
    ASSERT_EQ(huge.size(), QSize(1000, 1000));
    EXPECT_NEAR(huge.pixelColor(500, 500).red(), 128, 3);

    const QByteArray camera = jpegOf(scene(3264, 2448));
    const QString longText = QString("A1030 ").repeated(500);
    for (const auto& [chkno, name] : {std::pair<QString, QString>{"", ""}, {longText, longText}}) {
        const QImage photo = decoded(stampTakenPhoto(camera, chkno, name));
        EXPECT_EQ(photo.size(), QSize(1000, 750));
    }
    EXPECT_TRUE(platform.log.lines.isEmpty());
}

using Colors = JpegForm::Colors;

struct FormCase {
    const char* name;
    JpegForm form;
    QSize size;
};

class PipelineJpegForms : public testing::TestWithParam<FormCase> {
  protected:
    FakePlatform platform;
};

// Whatever form a camera or scanner writes, the photo is decoded at a
// reduced scale, upright and in its colours.
TEST_P(PipelineJpegForms, ShrinksEveryForm) {
    const QSize size = GetParam().size;
    const QByteArray camera =
        libjpegFile(redLeftBlueRight(size.width(), 1), size.height(), GetParam().form);
    const QImage photo = decoded(stampTakenPhoto(camera, "", std::nullopt));
    ASSERT_EQ(photo.size(), QSize(1000, 750)) << platform.log.lines.join('\n').toStdString();
    const QColor left = photo.pixelColor(250, 375), right = photo.pixelColor(750, 375);
    EXPECT_TRUE(left.red() > 200 && left.blue() < 60) << left.name().toStdString();
    EXPECT_TRUE(right.blue() > 200 && right.red() < 60) << right.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PipelineJpegForms,
    testing::Values(
        FormCase{"CMYK", {.colors = Colors::Cmyk}, {8000, 6000}},
        FormCase{"YCCK", {.colors = Colors::Ycck}, {4000, 3000}},
        FormCase{"luma3x2", {.lumaH = 3, .lumaV = 2}, {8000, 6000}},
        FormCase{"progressive3x2", {.lumaH = 3, .lumaV = 2, .progressive = true}, {4000, 3000}},
        FormCase{"arithmetic", {.arithmetic = true}, {4000, 3000}}),
    [](const auto& info) { return std::string(info.param.name); });

// CMYK and YCCK pictures come out in the colours Qt's own reader gives them.
TEST_F(PhotoPipeline, CmykAsQtReadsIt) {
    for (Colors colors : {Colors::Cmyk, Colors::Ycck}) {
        const QByteArray file = libjpegFile(scene(800, 600), 600, {.colors = colors});
        const QImage qt = QImage::fromData(file, "jpeg");
        QString error;
        const QImage ours = decodeShrunkPhoto(file, QSize(1000, 1000), &error);
        ASSERT_EQ(ours.size(), qt.size()) << error.toStdString();
        EXPECT_LT(meanDifference(ours, qt), 0.5);
    }
}

// A file cut short is refused on every decoding path, however its picture
// is coded; a whole picture with stray bytes before its end marker, or
// without that marker after complete scan data, is taken.
TEST_F(PhotoPipeline, RefusesCutFilesOfEveryForm) {
    const QImage picture = scene(800, 600);
    const QByteArray progressive = jpegOf(picture, 95, true);
    const struct {
        const char* name;
        QByteArray whole;
        bool takenWithoutEndMarker;
    } files[] = {
        {"baseline", jpegOf(picture), true},
        {"progressive", progressive, true},
        {"CMYK", libjpegFile(picture, 600, {.colors = Colors::Cmyk}), true},
        {"YCCK progressive",
         libjpegFile(picture, 600, {.colors = Colors::Ycck, .progressive = true}), true},
        {"3 x 2 sampling", libjpegFile(picture, 600, {.lumaH = 3, .lumaV = 2}), true},
        // An arithmetic decoder cannot tell the data's end from a cut.
        {"arithmetic", libjpegFile(picture, 600, {.arithmetic = true}), false},
        {"PNG", encoded(picture, "png"), false},
    };
    const QByteArray endMarker("\xFF\xD9");
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        ASSERT_TRUE(stampTakenPhoto(file.whole, "A1", std::nullopt));
        for (qsizetype cut : {file.whole.size() / 2, file.whole.size() * 9 / 10}) {
            platform.log.lines.clear();
            EXPECT_FALSE(stampTakenPhoto(file.whole.left(cut), "A1", std::nullopt)) << cut;
            ASSERT_EQ(platform.log.lines.size(), 1);
            EXPECT_TRUE(platform.log.lines[0].startsWith("photo not stamped: "));
        }
        if (!file.takenWithoutEndMarker) continue;
        ASSERT_TRUE(file.whole.endsWith(endMarker));
        const QByteArray scanData = file.whole.chopped(2);
        platform.log.lines.clear();
        EXPECT_TRUE(stampTakenPhoto(scanData, "A1", std::nullopt));
        EXPECT_TRUE(
            stampTakenPhoto(scanData + QByteArray(32, '\x5A') + endMarker, "A1", std::nullopt));
        EXPECT_TRUE(platform.log.lines.isEmpty()) << platform.log.lines.join('\n').toStdString();
    }
    // Cut between two scans: every line decodes, but not to its last bit.
    const qsizetype lastScan = progressive.lastIndexOf("\xFF\xDA");
    EXPECT_FALSE(stampTakenPhoto(progressive.left(lastScan), "A1", std::nullopt));
}

// libjpeg keeps every coefficient of a picture of several scans whatever
// the output scale: one that would need too many is refused from its
// header, before any decoding.
TEST_F(PhotoPipeline, RefusesProgressivePicturesTooLargeToHold) {
    const QImage grey = decoded(stampTakenPhoto(flatGreyJpeg(4000, 3000, true), "", std::nullopt));
    ASSERT_EQ(grey.size(), QSize(1000, 750));
    EXPECT_NEAR(grey.pixelColor(500, 400).red(), 128, 3);
    EXPECT_FALSE(stampTakenPhoto(flatGreyJpeg(10000, 8000, true), "A1", std::nullopt));
    EXPECT_EQ(platform.log.lines,
              QStringList("photo not stamped: picture too large: 10000 x 8000"));
}

} // namespace
