#include "AppRun.h"

#include "fixtures/QrImages.h"
#include "store/StoreFiles.h"
#include "support/PhotoTestImages.h"

#include <QDir>
#include <QImage>

namespace {

// One whole inspection through the real app: log in, the check start reads a
// registration code that needs no permit, three kinds of photos come from
// JPEG files, one is previewed and deleted, and "完成" stores the case.
class PhotoWalk : public AppRunFixture {
  protected:
    PhotoWalk() {
        qrCode(QStringLiteral("P0001,F1030"), 6).save(dir.filePath("registration.png"));
        const QList<QPair<QString, QImage>> photos{
            {"inspector.jpg", redLeftBlueRight(1600, 1200)},
            {"site1.jpg", filledImage(1200, 1600, Qt::darkGreen)},
            {"site2.jpg", filledImage(1600, 1200, Qt::darkCyan)},
            {"order.jpg", filledImage(1600, 1200, Qt::darkYellow)}};
        for (const auto& [name, picture] : photos) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(jpegOf(picture)) <= 0)
                throw std::runtime_error("cannot write a photo");
        }
    }
};

const char kWalk[] = R"(expect alert 身份驗證
type A123456789
press 好
press 知道了
press 暫不更新
expect screen 主畫面
tap menu1Button
expect screen 檢查設備確認
qr registration.png
tap topButton
expect text 設備編號：P0001
tap 確定
expect screen 安檢照片拍攝
expect text F1030
screenshot photo-screen
photo inspector.jpg
tap cameraUpperButton
photo site1.jpg
tap cameraLowerButton
expect rows tbl 1
photo site2.jpg
tap cameraLowerButton
expect rows tbl 2
photo order.jpg
tap cameraRightButton
expect rows tbl1 1
screenshot photos-taken
tap-row tbl 0
expect screen 照片檢視
screenshot preview
tap 刪除
expect alert 照片刪除確認 | 你確定要刪除此張照片?
press 是
expect screen 安檢照片拍攝
expect rows tbl 1
tap 完成
expect alert 照片儲存成功 | 檢查照片已成功儲存
screenshot stored
press 知道了
expect screen 檢查設備確認
)";

TEST_F(PhotoWalk, StoresTheCaseWithItsPhotos) {
    const AppRun run = this->run(writeScenario(QString::fromUtf8(kWalk)));
    ASSERT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();

    const StoredCase stored = storedCase();
    ASSERT_TRUE(stored.record) << stored.error.toStdString();
    const CaseRecord& record = *stored.record;
    EXPECT_EQ(record.pk, "P0001,F1030");
    EXPECT_EQ(record.state, "0");
    EXPECT_EQ(record.type, QString::fromUtf8("竣工檢查"));
    // The check start shown again moved the photos into their file, and the
    // list names it.
    EXPECT_FALSE(record.hasInlinePhotos());
    const PhotoFileRead& photos = stored.photos;
    ASSERT_TRUE(photos.file) << photos.error.toStdString();
    ASSERT_TRUE(photos.file->topPhoto);
    ASSERT_EQ(photos.file->photos.size(), 1);
    EXPECT_EQ(photos.file->photos_1.size(), 1);
    // The second site photo is the one left: landscape, after the portrait
    // one was deleted.
    EXPECT_EQ(QImage::fromData(photos.file->photos.at(0).photo).size(), QSize(1000, 750));
    EXPECT_EQ(QImage::fromData(photos.file->topPhoto->photo).size(), QSize(1000, 750));
    EXPECT_EQ(QDir(shots()).entryList(QDir::Files).size(), 4);
}

} // namespace
