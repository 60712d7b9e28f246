#include "fixtures/QrImages.h"
#include "fixtures/QtPrinters.h"
#include "qr/QtQrCaptureFactory.h"
#include "qr/VideoFrame.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// What a capture hands out.
struct Seen {
    explicit Seen(QrCapture& capture) {
        capture.onFrame = [this](const QImage& frame) { frames << frame; };
        capture.onCodes = [this](const QStringList& found) { codes << found; };
    }
    QList<QImage> frames;
    QList<QStringList> codes;
};

class ImageFileCaptureTest : public testing::Test {
  protected:
    QString save(const QString& name, const QImage& image) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // The code on an upright picture, as a phone would show it.
    static QImage picture(const QString& text) {
        QImage upright(480, 640, QImage::Format_RGB32);
        upright.fill(Qt::white);
        paintCentred(upright, qrCode(text), upright.rect().center());
        return upright;
    }
    std::unique_ptr<QrCapture> open(QtQrCaptureFactory& factory) {
        QString error;
        std::unique_ptr<QrCapture> capture = factory.create(error);
        EXPECT_TRUE(capture) << error.toStdString();
        return capture;
    }
    // Opens the next capture and returns the codes it reads in its first frame.
    QStringList scanNext(QtQrCaptureFactory& factory) {
        std::unique_ptr<QrCapture> capture = open(factory);
        if (!capture) return {};
        Seen seen(*capture);
        capture->start();
        fake.clock.advance(0.5);
        return seen.codes.value(0);
    }

    FakePlatform fake;
    QTemporaryDir temp;
    QDir dir{temp.path()};
};

TEST_F(ImageFileCaptureTest, ShowsAFileAsAStillCameraTwiceASecondWhileRunning) {
    QtQrCaptureFactory factory(save("code.png", picture("A12345,B67890")));
    std::unique_ptr<QrCapture> capture = open(factory);
    ASSERT_TRUE(capture);
    EXPECT_FALSE(capture->hasTorch());
    EXPECT_TRUE(capture->setTorch(true).has_value());
    Seen seen(*capture);

    capture->start();
    fake.clock.advance(0.49);
    EXPECT_TRUE(seen.frames.isEmpty());
    fake.clock.advance(0.01);
    ASSERT_EQ(seen.frames.size(), 1);
    EXPECT_EQ(seen.frames[0].size(), QSize(640, 480));
    EXPECT_EQ(seen.codes, QList<QStringList>{{"A12345,B67890"}});
    fake.clock.advance(1.0);
    EXPECT_EQ(seen.frames.size(), 3);

    capture->stop();
    fake.clock.advance(5);
    EXPECT_EQ(seen.frames.size(), 3);
    EXPECT_EQ(fake.clock.pendingTimers(), 0u);
}

TEST_F(ImageFileCaptureTest, FramesLieAQuarterTurnFromTheUprightPicture) {
    QImage upright(480, 640, QImage::Format_RGB32);
    upright.fill(Qt::blue);
    QPainter(&upright).fillRect(0, 0, 480, 320, Qt::red); // the top half as the user sees it
    QtQrCaptureFactory factory(save("halves.png", upright));
    std::unique_ptr<QrCapture> capture = open(factory);
    Seen seen(*capture);
    capture->start();
    fake.clock.advance(0.5);
    ASSERT_EQ(seen.frames.size(), 1);
    EXPECT_EQ(seen.frames[0].pixel(200, 240), qRgb(255, 0, 0)) << "the left of the landscape frame";
    EXPECT_EQ(seen.frames[0].pixel(440, 240), qRgb(0, 0, 255));
    const QImage still = imageFromSampleBuffer(seen.frames[0]);
    EXPECT_EQ(still.size(), QSize(480, 640));
    EXPECT_EQ(still.pixel(240, 200), qRgb(255, 0, 0));
    EXPECT_EQ(still.pixel(240, 440), qRgb(0, 0, 255));
}

TEST_F(ImageFileCaptureTest, HoldsThePictureUpInsideTheScanSquare) {
    // A code filling its whole file, larger than the square on screen.
    QtQrCaptureFactory factory(save("big.png", qrCode("A1,B2", 12)));
    std::unique_ptr<QrCapture> capture = open(factory);
    Seen seen(*capture);
    const QRectF square(140.0 / 568, 48.0 / 320, 224.0 / 568, 224.0 / 320);
    capture->setRegionOfInterest(square);
    capture->start();
    fake.clock.advance(0.5);
    ASSERT_EQ(seen.frames.size(), 1);
    EXPECT_EQ(seen.codes, QList<QStringList>{{"A1,B2"}});
    EXPECT_EQ(seen.frames[0].pixel(20, 20), qRgb(255, 255, 255)) << "outside the square";
}

// Each opening takes the next picture, in the order a person reads the names:
// numbers as numbers, capitals aside.
TEST_F(ImageFileCaptureTest, AFolderShowsOneFilePerCaptureInNameOrder) {
    save("10-permit.png", picture("C1,C2"));
    save("2-Registration.PNG", picture("B1,B2"));
    save("1-registration.jpg", picture("A1,A2"));
    QFile notes(dir.filePath("0-notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    QtQrCaptureFactory factory(dir.path());
    QStringList read;
    for (int i = 0; i < 4; ++i)
        read << scanNext(factory);
    EXPECT_EQ(read, (QStringList{"A1,A2", "B1,B2", "C1,C2", "A1,A2"}));
}

TEST_F(ImageFileCaptureTest, PicturesGivenOneByOneGoToTheNextCapturesFirst) {
    save("a.png", picture("A1,A2"));
    QtQrCaptureFactory factory(dir.filePath("a.png"));
    factory.showNext(save("x.jpg", picture("X1,X2")));
    factory.showNext(save("y.png", picture("Y1,Y2")));
    QStringList read;
    for (int i = 0; i < 3; ++i)
        read << scanNext(factory);
    EXPECT_EQ(read, (QStringList{"X1,X2", "Y1,Y2", "A1,A2"}));
}

TEST_F(ImageFileCaptureTest, FailsToOpenWithAReasonWhenThereIsNothingToShow) {
    QFile notImage(dir.filePath("broken.png"));
    ASSERT_TRUE(notImage.open(QIODevice::WriteOnly));
    notImage.write("not a picture");
    notImage.close();
    QDir(dir.path()).mkdir("empty");
    const QString paths[] = {dir.filePath("missing.png"), dir.filePath("broken.png"),
                             dir.filePath("empty")};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        QtQrCaptureFactory factory(path);
        QString error;
        EXPECT_EQ(factory.create(error), nullptr);
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}

} // namespace
