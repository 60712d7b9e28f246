#include "ReaderFixture.h"
#include "qr/QrPreviewView.h"

#include <QLabel>
#include <QPushButton>

namespace {

TEST_F(ReaderTest, LaysTheScreenOutAroundTheSquare) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    EXPECT_EQ(camera().regionOfInterest(),
              QRectF(140.0 / 568, 48.0 / 320, 224.0 / 568, 224.0 / 320));
    EXPECT_EQ(reader->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(reader->infoLabel()->geometry(), QRect(48, 374, 224, 40));
    EXPECT_EQ(reader->infoLabel()->text(), "QR Code進入方框內即自動辯識");
    // Where the line starts depends on the view's height at each sweep.
    EXPECT_EQ(reader->scanLineImageView()->x(), 48);
    EXPECT_EQ(reader->scanLineImageView()->size(), QSize(224, 10));
    EXPECT_EQ(reader->footView()->geometry(), QRect(0, 454, 320, 50));
    EXPECT_EQ(reader->footLabel()->geometry(), QRect(10, 17, 242, 20));
    EXPECT_EQ(reader->footBtn()->geometry(), QRect(262, 17, 48, 20));
    EXPECT_EQ(reader->footBtn()->text(), "確定");
    // The live picture lies beneath everything else.
    EXPECT_EQ(reader->children().indexOf(reader->previewLayer()), 0);
}

TEST_F(ReaderTest, ThePreviewShowsTheLatestFrameUpright) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    camera().show(whiteFrame());
    EXPECT_EQ(reader->previewLayer()->image().size(), QSize(480, 640));
    EXPECT_EQ(reader->scanImage(), reader->previewLayer()->image());
}

TEST_F(ReaderTest, WithoutFootThereIsNoFootBar) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    EXPECT_EQ(reader->footView(), nullptr);
    EXPECT_EQ(reader->footLabel(), nullptr);
}

// Without a camera nothing of the reader is built and the log says why; an
// alert says so and offers a picture file, whose code is then read as the
// camera's would be.
TEST_F(ReaderTest, WithoutACameraItSaysSoAndReadsAChosenPicture) {
    navigation.show();
    captures.failure = QStringLiteral("no camera found");
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    EXPECT_EQ(fake.log.lines.value(0), "設備無攝影鏡頭 no camera found");
    EXPECT_EQ(reader->findChildren<QWidget*>(), QList<QWidget*>{});
    EXPECT_EQ(reader->rightBarButton(), nullptr);
    EXPECT_EQ(reader->palette().color(QPalette::Window), QColor(Qt::black));
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(fake.alerts.current().title, "相機無法使用");
    EXPECT_EQ(fake.alerts.current().message, "此裝置沒有可用的相機, 可改從圖片檔讀取QR Code");
    EXPECT_EQ(fake.alerts.current().buttonTitles(), QStringList({"取消", "選擇圖片檔"}));
    fake.alerts.press("選擇圖片檔");
    ASSERT_EQ(fake.pictures.asked.size(), 1u);
    EXPECT_EQ(fake.pictures.asked.front().title, "選擇QR Code圖片");
    EXPECT_TRUE(fake.pictures.asked.front().filter.contains("*.png"));
    fake.pictures.answer("/pictures/code.png");

    EXPECT_EQ(captures.shownPaths, QStringList{"/pictures/code.png"});
    ASSERT_NE(reader->infoLabel(), nullptr);
    EXPECT_TRUE(reader->infoLabel()->isVisible());
    EXPECT_TRUE(reader->previewLayer()->isVisible());
    EXPECT_TRUE(camera().isRunning());
    fake.clock.advance(0.1);
    EXPECT_TRUE(reader->scanLineImageView()->isVisible()) << "the line sweeps";
    hold("A123,B456");
    fake.sound.finish();
    EXPECT_EQ(delegate.texts, QStringList{"A123,B456"});
    EXPECT_EQ(navigation.topViewController(), opener);
}

// Declining, closing the chooser, having no chooser or choosing a file that
// is no picture leaves the reader, delivering nothing.
TEST_F(ReaderTest, WithoutACameraOrAPictureTheReaderLeaves) {
    struct Case {
        const char* name;
        bool chooser;
        QStringList buttons;
        const char* press;
        std::optional<QString> chosen;
        bool unreadable;
    };
    const Case cases[] = {
        {"declined", true, {"取消", "選擇圖片檔"}, "取消", std::nullopt, false},
        {"chooser closed", true, {"取消", "選擇圖片檔"}, "選擇圖片檔", std::nullopt, false},
        {"no chooser", false, {"知道了"}, "知道了", std::nullopt, false},
        {"not a picture", true, {"取消", "選擇圖片檔"}, "選擇圖片檔", "/notes.txt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        captures.failure = QStringLiteral("no camera found");
        captures.pictureFailure =
            c.unreadable ? std::optional<QString>("cannot read image") : std::nullopt;
        fake.services.pictureChooser = c.chooser ? &fake.pictures : nullptr;
        TextDelegate delegate;
        open(&delegate);
        ASSERT_TRUE(fake.alerts.showing());
        EXPECT_EQ(fake.alerts.current().buttonTitles(), c.buttons);
        if (!c.chooser) EXPECT_EQ(fake.alerts.current().message, "此裝置沒有可用的相機");
        fake.alerts.press(QString::fromUtf8(c.press));
        if (!fake.pictures.asked.empty()) fake.pictures.answer(c.chosen);
        if (c.unreadable) {
            ASSERT_TRUE(fake.alerts.showing());
            EXPECT_EQ(fake.alerts.current().title, "圖片無法使用");
            fake.alerts.press(0);
        }
        fake.clock.advance(1);
        EXPECT_FALSE(fake.alerts.showing());
        EXPECT_EQ(navigation.topViewController(), opener);
        EXPECT_TRUE(delegate.texts.isEmpty());
    }
}

TEST_F(ReaderTest, WithoutCameraPermissionItSaysSoAndLeaves) {
    for (AuthorizationStatus status :
         {AuthorizationStatus::Restricted, AuthorizationStatus::Denied}) {
        fake.camera.status = status;
        TextDelegate delegate;
        open(&delegate);
        ASSERT_TRUE(fake.alerts.showing());
        EXPECT_EQ(fake.alerts.current().title, "檢核錯誤");
        EXPECT_EQ(fake.alerts.current().message,
                  "無權限使用「相機」功能, 請於[設定] > [隱私權]內授權開啟相機功能");
        EXPECT_EQ(fake.alerts.current().buttonTitles(), QStringList{"知道了"});
        EXPECT_EQ(navigation.topViewController(), opener);
        EXPECT_FALSE(camera().isRunning());
        fake.alerts.press(0);
    }
    fake.camera.status = AuthorizationStatus::NotDetermined;
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(navigation.topViewController(), reader);
}

TEST_F(ReaderTest, TheTorchButtonSwitchesTheTorchAndShowsItsNextState) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    ASSERT_TRUE(reader->hasFlash());
    ASSERT_EQ(reader->rightBarButton(), reader->lightButton());
    EXPECT_EQ(reader->lightButton()->size(), QSize(32, 32));
    EXPECT_EQ(camera().torchCalls, QList<bool>{false}) << "the torch is switched off on appearing";
    EXPECT_EQ(reader->lightButton()->property("imageName"), "flash_on");

    reader->lightButton()->click();
    EXPECT_TRUE(camera().torchOn);
    EXPECT_TRUE(reader->lightState());
    EXPECT_EQ(reader->lightButton()->property("imageName"), "flash_off");

    reader->lightButton()->click();
    EXPECT_FALSE(camera().torchOn);
    EXPECT_FALSE(reader->lightState());
    EXPECT_EQ(reader->lightButton()->property("imageName"), "flash_on");
}

TEST_F(ReaderTest, ATorchThatCannotBeLockedStaysAsItWas) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    camera().lockError = QStringLiteral("device busy");
    reader->lightTurn();
    EXPECT_FALSE(camera().torchOn);
    EXPECT_FALSE(reader->lightState());
    EXPECT_EQ(reader->lightButton()->property("imageName"), "flash_on");
    EXPECT_EQ(fake.log.lines, QStringList{"lock torch configuration error: device busy"});
}

TEST_F(ReaderTest, WithoutATorchThereIsNoTorchButton) {
    captures.torch = false;
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    EXPECT_FALSE(reader->hasFlash());
    EXPECT_EQ(reader->rightBarButton(), nullptr);
    EXPECT_TRUE(camera().torchCalls.isEmpty());
}

TEST_F(ReaderTest, TheScanLineSweepsDownTheSquareEveryThreeSeconds) {
    TextDelegate delegate;
    auto* reader = new QRReaderViewController;
    reader->delegate = &delegate;
    navigation.pushViewController(reader, true);
    // The view as laid out under the status and navigation bars.
    reader->resize(320, 504);
    QLabel* line = reader->scanLineImageView();
    const auto after = [&](double seconds) {
        fake.clock.advance(seconds);
        return line->isHidden() ? -1 : line->y();
    };
    EXPECT_EQ(after(0), 140) << "starting on the top edge";
    EXPECT_NEAR(after(1.475), 247, 3) << "halfway down";
    EXPECT_EQ(after(1.475), -1) << "hidden at the end";
    EXPECT_EQ(line->y(), 354) << "resting on the bottom edge";
    EXPECT_EQ(after(0.05), 140) << "starting again";
    EXPECT_EQ(after(3.0), 140);
}

} // namespace
