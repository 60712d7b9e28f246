#include "AppRun.h"
#include "fixtures/QrImages.h"

#include <QDir>
#include <QImage>

namespace {

// The check start in the real app: the inspector logs in, opens the check
// start and scans QR pictures made by a real QR writer, read by the app's
// own detector from its image-file camera.
class CheckStartWalk : public AppRunFixture {
  protected:
    void writeCode(const QString& name, const QString& text) const {
        ASSERT_TRUE(qrCode(text, 8).save(dir.filePath(name)));
    }
    AppRun walk(const QString& steps) const {
        return run(writeScenario("expect alert 身份驗證\n"
                                 "type A123456789\n"
                                 "press 好\n"
                                 "press 知道了\n"
                                 "press 暫不更新\n"
                                 "expect screen 主畫面\n"
                                 "tap 開始檢查\n"
                                 "expect screen 檢查設備確認\n"
                                 "qr registration.png\n"
                                 "tap topButton\n"
                                 "expect screen 登記碼掃描\n"
                                 "expect text 設備編號：A100\n" +
                                 steps));
    }
    // The colour in the middle of the result banner in a screenshot (the
    // banner stands 50 points below the navigation bar, 60 high).
    QColor bannerColour(const QString& name) const {
        const QStringList files = QDir(shots()).entryList({"*-" + name + ".png"}, QDir::Files);
        if (files.size() != 1) return QColor();
        return QImage(QDir(shots()).filePath(files[0])).pixelColor(160, 44 + 50 + 30);
    }
};

// Without a camera the reader says so in an alert that offers a picture
// file; declining it leads back to the check start.
TEST_F(CheckStartWalk, WithoutACameraTheReaderSaysSoAndOffersAPicture) {
    const AppRun run = this->run(writeScenario("expect alert 身份驗證\n"
                                               "type A123456789\n"
                                               "press 好\n"
                                               "press 知道了\n"
                                               "press 暫不更新\n"
                                               "tap 開始檢查\n"
                                               "tap topButton\n"
                                               "expect alert 相機無法使用 | "
                                               "此裝置沒有可用的相機, 可改從圖片檔讀取QR Code\n"
                                               "screenshot no-camera\n"
                                               "press 取消\n"
                                               "expect screen 檢查設備確認\n"));
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
}

TEST_F(CheckStartWalk, AMatchingPermitTurnsGreenAndOpensThePhotoScreenInItsPlace) {
    writeCode("registration.png", "A100,C2024001");
    writeCode("permit.png", "https://permit.test/query.do?type=1&ipno=A100");
    const AppRun run = walk("screenshot registration-reader\n"
                            "tap 確定\n"
                            "expect screen 檢查設備確認\n"
                            "screenshot registration-held\n"
                            "qr permit.png\n"
                            "tap bottomButton\n"
                            "expect text 確認正確\n"
                            "screenshot green\n"
                            "expect screen 安檢照片拍攝\n"
                            "expect text 安全檢查\n"
                            "expect text C2024001\n"
                            "screenshot photo-screen\n"
                            "back\n"
                            "press 是\n"
                            "expect screen 主畫面\n");
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(bannerColour("green"), QColor(0x99, 0xcc, 0x00));
}

TEST_F(CheckStartWalk, AnotherEquipmentsPermitTurnsRedAndStartsOver) {
    writeCode("registration.png", "A100,C2024001");
    writeCode("permit.png", "https://permit.test/query.do?type=1&ipno=B200");
    const AppRun run = walk("tap 確定\n"
                            "qr permit.png\n"
                            "tap bottomButton\n"
                            "expect text 這不是登記碼指定要檢查的設備\n"
                            "screenshot red\n"
                            "wait 1\n"
                            "tap bottomButton\n"
                            "expect alert 資料檢核錯誤 | 請先掃描檢查/維護登記碼\n"
                            "screenshot codes-forgotten\n"
                            "press 知道了\n"
                            "back\n"
                            "expect screen 主畫面\n");
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(bannerColour("red"), QColor(0xff, 0x44, 0x44));
}

} // namespace
