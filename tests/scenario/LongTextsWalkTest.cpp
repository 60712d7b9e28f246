#include "AppRun.h"

#include "fixtures/QrImages.h"
#include "support/PhotoTestImages.h"

#include <QDir>
#include <QFile>
#include <QImage>

namespace {

// A case with a 24-character equipment number through the real app on a
// phone, without a position: the login prompt, the number in the reader's
// bar, on the photo screen beside "尚未定位" and in
// the records row, and the deletion question with its three buttons. Each
// screen is saved as a picture to be looked at.
class LongTextsWalk : public AppRunFixture {
  protected:
    LongTextsWalk() {
        qrCode(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX,F1030"), 6)
            .save(dir.filePath("registration.png"));
        QFile photo(dir.filePath("inspector.jpg"));
        if (!photo.open(QIODevice::WriteOnly) ||
            photo.write(jpegOf(redLeftBlueRight(1600, 1200))) <= 0)
            throw std::runtime_error("cannot write a photo");
    }
};

const char kWalk[] = R"(expect alert 身份驗證
screenshot login-prompt
type A123456789
press 好
press 知道了
press 暫不更新
tap menu1Button
expect screen 檢查設備確認
qr registration.png
tap topButton
expect text 設備編號：ABCDEFGHIJKLMNOPQRSTUVWX
screenshot reader-long-number
tap 確定
expect screen 安檢照片拍攝
expect text ABCDEFGHIJKLMNOPQRSTUVWX
expect text 尚未定位
screenshot photo-screen-long-number
photo inspector.jpg
tap cameraUpperButton
wait 1
tap 完成
expect alert 照片儲存成功 | 檢查照片已成功儲存
press 知道了
expect screen 檢查設備確認
back
expect screen 主畫面
tap menu2Button
expect screen 安檢照片紀錄
expect row tbl 0 ABCDEFGHIJKLMNOPQRSTUVWX
screenshot records-long-number
tick tbl 0
tap deleteCase
expect alert 刪除 | 尚有未傳送案件, 是否繼續刪除作業?
screenshot delete-question
press 停止刪除
expect rows tbl 1
)";

TEST_F(LongTextsWalk, LongNumbersAndButtonTitlesFitTheirPlaces) {
    const AppRun run = this->run(writeScenario(QString::fromUtf8(kWalk)));
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    const QStringList shots = QDir(this->shots()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(shots, QStringList({"001-login-prompt.png", "002-reader-long-number.png",
                                  "003-photo-screen-long-number.png", "004-records-long-number.png",
                                  "005-delete-question.png"}));
    for (const QString& shot : shots)
        EXPECT_EQ(QImage(QDir(this->shots()).filePath(shot)).width(), 320) << shot.toStdString();
}

} // namespace
