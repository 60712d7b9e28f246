// The app filling a phone's screen, driven by a finger, on offscreen screens
// of a phone's sizes.
#include "AppRun.h"

#include <QFile>
#include <QImage>

namespace {

class PhoneWindow : public AppRunFixture {
  protected:
    // Runs the walk on an offscreen screen of size, by touch, the window
    // filling it; returns the picture of the check start screen.
    QImage checkStartOn(QSize size, const QStringList& options) {
        const QString config = dir.filePath("screen.json");
        QFile file(config);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("{\"screens\": [{\"name\": \"s\", \"x\": 0, \"y\": 0, "
                                  "\"width\": %1, \"height\": %2, \"logicalDpi\": 96}]}")
                       .arg(size.width())
                       .arg(size.height())
                       .toUtf8());
        file.close();
        const QString walk = writeScenario("expect alert 身份驗證\n"
                                           "type A123456789\n"
                                           "press 好\n"
                                           "press 知道了\n"
                                           "press 暫不更新\n"
                                           "tap 開始檢查\n"
                                           "expect screen 檢查設備確認\n"
                                           "screenshot check-start\n"
                                           "back\n"
                                           "expect screen 主畫面\n");
        const AppRun run = this->run(
            walk, QStringList{"-platform", "offscreen:configfile=" + config, "--touch"} + options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return QImage(shots() + "/001-check-start.png");
    }
};

// The navigation bar's pink.
bool pink(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 120 && qBlue(pixel) < 180;
}

TEST_F(PhoneWindow, A360x720PhoneShowsThePhoneLayoutLargerFillingTheScreen) {
    const QImage shot = checkStartOn({360, 720}, {"--fullscreen"});
    ASSERT_EQ(shot.size(), QSize(360, 720));
    // The bar spans the whole width, 44 points drawn 1.125 times taller.
    EXPECT_TRUE(pink(shot.pixel(1, 10)));
    EXPECT_TRUE(pink(shot.pixel(358, 10)));
    EXPECT_TRUE(pink(shot.pixel(180, 47)));
    EXPECT_FALSE(pink(shot.pixel(180, 52)));
}

TEST_F(PhoneWindow, ALandscapeScreenShowsThePortraitLayoutCentred) {
    const QImage shot = checkStartOn({720, 360}, {"--fullscreen"});
    ASSERT_EQ(shot.size(), QSize(720, 360));
    // 320x568 points drawn 360/568 as large: 203 pixels wide, in the middle.
    EXPECT_FALSE(pink(shot.pixel(250, 10)));
    EXPECT_TRUE(pink(shot.pixel(262, 10)));
    EXPECT_TRUE(pink(shot.pixel(458, 10)));
    EXPECT_FALSE(pink(shot.pixel(470, 10)));
}

TEST_F(PhoneWindow, WithoutFullscreenAnOffscreenScreenKeepsTheDeviceWindow) {
    const QImage shot = checkStartOn({360, 720}, {});
    EXPECT_EQ(shot.size(), QSize(320, 568));
}

} // namespace
