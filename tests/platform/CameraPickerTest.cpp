#include "platform/qt/QtCamera.h"
#include "support/FakePlatform.h"
#include "support/VirtualCamera.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCameraDevice>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMediaDevices>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr QSize kSceneSize(1920, 1080);

// A camera-sized scene of four coloured quarters, which a wrong crop, a
// turn or a channel swap would move or change.
QImage fourQuarters() {
    QImage scene(kSceneSize, QImage::Format_RGB32);
    QPainter painter(&scene);
    const int w = kSceneSize.width() / 2, h = kSceneSize.height() / 2;
    painter.fillRect(0, 0, w, h, QColor(220, 30, 30));
    painter.fillRect(w, 0, w, h, QColor(30, 60, 220));
    painter.fillRect(0, h, w, h, QColor(30, 180, 40));
    painter.fillRect(w, h, w, h, QColor(240, 220, 40));
    return scene;
}

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

// The camera picker on the virtual camera's live frames, in a phone-sized
// window, through the QtCamera the app uses.
class CameraPickerTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(cam.running())
            << "the virtual camera cannot start: " << cam.error().toStdString();
        ASSERT_TRUE(cam.show(fourQuarters())) << cam.error().toStdString();
        ASSERT_TRUE(waitFor([] { return !QMediaDevices::videoInputs().isEmpty(); }))
            << "no camera listed";
        window.resize(320, 568);
        window.show();
        camera.setWindow([this] { return &window; });
    }
    static bool waitFor(const std::function<bool()>& pred, int ms = 10000) {
        const QDeadlineTimer deadline(ms);
        while (!pred() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return pred();
    }
    // The picker showing over the window, or none.
    QWidget* picker() const {
        // One that has closed may still wait for its deletion.
        for (auto* p : window.findChildren<QWidget*>("cameraPicker", Qt::FindDirectChildrenOnly))
            if (p->isVisible()) return p;
        return nullptr;
    }
    QAbstractButton* button(const char* name) const {
        QWidget* p = picker();
        auto* b = p ? p->findChild<QAbstractButton*>(name) : nullptr;
        return b && b->isVisible() ? b : nullptr;
    }
    // Opens the picker and waits until it shows the camera and can shoot.
    void open() {
        camera.takePhoto([this](std::optional<QByteArray> jpeg) { answer = std::move(jpeg); });
        ASSERT_FALSE(answer) << "answered from inside the call";
        ASSERT_NE(picker(), nullptr);
        EXPECT_EQ(picker()->geometry(), window.rect()) << "covers the whole window";
        auto* preview = picker()->findChild<QLabel*>("cameraPreview");
        ASSERT_TRUE(waitFor([&] {
            return button("shutterButton") && button("shutterButton")->isEnabled() &&
                   !preview->pixmap().isNull();
        })) << "no live preview and shutter";
        EXPECT_NE(button("cancelButton"), nullptr);
        EXPECT_EQ(button("retakeButton"), nullptr);
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
    bool stillShows() const { return button("usePhotoButton") && button("retakeButton"); }
    bool answered() const { return answer.has_value(); }

    VirtualCamera& cam = VirtualCamera::shared(kSceneSize);
    FakePlatform fake;
    QWidget window;
    QtCamera camera{QString()};
    std::optional<std::optional<QByteArray>> answer;
};

TEST_F(CameraPickerTest, TheShotIsTheScenesFullSizeJpeg) {
    ASSERT_NO_FATAL_FAILURE(open());
    QTest::mouseClick(button("shutterButton"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return stillShows(); }))
        << "no still after the shot: " << fake.log.lines.join('\n').toStdString();
    EXPECT_EQ(button("shutterButton"), nullptr);
    EXPECT_EQ(button("cancelButton"), nullptr);
    QTest::mouseClick(button("usePhotoButton"), Qt::LeftButton);
    ASSERT_TRUE(answered());
    ASSERT_TRUE(*answer);
    const QByteArray& jpeg = **answer;
    EXPECT_TRUE(jpeg.startsWith("\xff\xd8\xff")) << "a JPEG";
    const QImage photo = QImage::fromData(jpeg, "JPEG");
    ASSERT_EQ(photo.size(), kSceneSize);
    const int w = kSceneSize.width(), h = kSceneSize.height();
    EXPECT_TRUE(near(photo.pixelColor(w / 4, h / 4), QColor(220, 30, 30)));
    EXPECT_TRUE(near(photo.pixelColor(3 * w / 4, h / 4), QColor(30, 60, 220)));
    EXPECT_TRUE(near(photo.pixelColor(w / 4, 3 * h / 4), QColor(30, 180, 40)));
    EXPECT_TRUE(near(photo.pixelColor(3 * w / 4, 3 * h / 4), QColor(240, 220, 40)));
    EXPECT_TRUE(waitFor([&] { return picker() == nullptr; })) << "the picker is gone";
    EXPECT_FALSE(fake.alerts.showing());
}

// Space or Enter shoots and then uses the still; Escape on the still takes
// it back to the preview, and on the preview cancels.
TEST_F(CameraPickerTest, TheKeyboardShootsRetakesUsesAndCancels) {
    QWidget before(&window);
    before.setFocusPolicy(Qt::StrongFocus);
    before.show();
    before.setFocus();
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_EQ(QApplication::focusWidget(), picker()) << "the picker takes the keyboard";
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), picker()) << "Tab stays in the picker";
    key(Qt::Key_Space);
    ASSERT_TRUE(waitFor([&] { return stillShows(); })) << "Space did not shoot";
    key(Qt::Key_Escape);
    EXPECT_FALSE(answered());
    ASSERT_TRUE(waitFor([&] {
        return button("shutterButton") && button("shutterButton")->isEnabled();
    })) << "Escape on the still did not go back to the preview";
    key(Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return stillShows(); })) << "Enter did not shoot";
    key(Qt::Key_Return);
    ASSERT_TRUE(answered());
    ASSERT_TRUE(*answer);
    EXPECT_EQ(QImage::fromData(**answer).size(), kSceneSize);
    EXPECT_EQ(QApplication::focusWidget(), &before) << "the keyboard goes back";

    answer.reset();
    ASSERT_NO_FATAL_FAILURE(open());
    key(Qt::Key_Escape);
    ASSERT_TRUE(answered());
    EXPECT_EQ(*answer, std::nullopt) << "cancelled";
    EXPECT_FALSE(fake.alerts.showing());
}

TEST_F(CameraPickerTest, AnUnpluggedCameraClosesThePickerWithAnAlert) {
    ASSERT_NO_FATAL_FAILURE(open());
    ASSERT_TRUE(cam.unplug()) << cam.error().toStdString();
    EXPECT_TRUE(waitFor([&] { return answered(); })) << "the picker stayed open";
    ASSERT_TRUE(answered());
    EXPECT_EQ(*answer, std::nullopt);
    EXPECT_TRUE(waitFor([&] { return picker() == nullptr; }));
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(fake.alerts.current().title, "相機無法使用");
    EXPECT_EQ(fake.alerts.current().message, "相機已中斷連線, 未拍下照片");
    EXPECT_EQ(fake.alerts.current().buttonTitles(), QStringList{"知道了"});
    EXPECT_EQ(fake.log.lines.size(), 1);
    ASSERT_TRUE(cam.plug()) << cam.error().toStdString();
}

// Opening the picker again and again: QtMultimedia 6.4 on GStreamer and
// PipeWire deadlocked when a picker's capture session let go of its camera,
// and crashed on frames of an earlier opening.
TEST_F(CameraPickerTest, OpensAgainAndAgain) {
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        answer.reset();
        ASSERT_NO_FATAL_FAILURE(open());
        key(Qt::Key_Space);
        ASSERT_TRUE(waitFor([&] { return stillShows(); }));
        key(Qt::Key_Return);
        ASSERT_TRUE(answered());
        ASSERT_TRUE(*answer);
    }
}

} // namespace
