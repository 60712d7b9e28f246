#include "ReaderFixture.h"
#include "qr/QtQrCaptureFactory.h"
#include "support/VirtualCamera.h"

#include <QCameraDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMediaDevices>

namespace {

// The reader on the virtual camera's live frames, through the factory the
// app uses.
class LiveReaderTest : public ReaderTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(cam.running())
            << "the virtual camera cannot start: " << cam.error().toStdString();
        fake.services.qrCapture = &live;
    }
    // Lets the app run until pred holds, at most ms milliseconds.
    static bool waitFor(const std::function<bool()>& pred, int ms = 5000) {
        const QDeadlineTimer deadline(ms);
        while (!pred() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return pred();
    }
    static bool cameraListed() { return !QMediaDevices::videoInputs().isEmpty(); }
    void showCamera(const QImage& picture) {
        ASSERT_TRUE(cam.show(picture)) << cam.error().toStdString();
        ASSERT_TRUE(waitFor(cameraListed));
    }

    VirtualCamera& cam = VirtualCamera::shared();
    QtQrCaptureFactory live;
};

// Each test opens the camera once: the camera is set before the first opening.
// Disabled: QtMultimedia 6.4 on GStreamer crashes (SIGSEGV in
// qImageFromVideoFrame under QVideoFrame::toImage, called from
// CameraQrCapture::take) within seconds of live PipeWire frames, in about
// half of the runs; run it with --gtest_also_run_disabled_tests.
TEST_F(LiveReaderTest, DISABLED_ReadsTheLiveCodeInsideTheSquareAloneAndBeeps) {
    QImage frame = whiteFrame();
    paintCentred(frame, qrCode(QStringLiteral("A9,B9"), 3), QPoint(75, 240));
    paintCentred(frame, qrCode(QStringLiteral("A1,B2")), QPoint(320, 240));
    showCamera(frame);
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    ASSERT_TRUE(waitFor([&] { return !reader->scanImage().isNull(); })) << "no live frame";
    EXPECT_EQ(reader->scanImage().size(), QSize(480, 640));
    ASSERT_TRUE(waitFor([&] { return !fake.sound.played.isEmpty(); })) << "no code read";
    EXPECT_EQ(fake.sound.played, QStringList{"Beep.wav"});
    fake.sound.finish();
    EXPECT_EQ(delegate.texts, QStringList{"A1,B2"});
    EXPECT_EQ(navigation.topViewController(), opener);
}

TEST_F(LiveReaderTest, AnUnpluggedCameraGivesTheLogLineAndAnEmptyScreen) {
    ASSERT_TRUE(cam.unplug()) << cam.error().toStdString();
    ASSERT_TRUE(waitFor([] { return !cameraListed(); }));
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    EXPECT_EQ(fake.log.lines, QStringList{"設備無攝影鏡頭 no camera found"});
    EXPECT_EQ(reader->findChildren<QWidget*>(), QList<QWidget*>{});
    EXPECT_EQ(reader->rightBarButton(), nullptr);
}

} // namespace
