#include "PhotoScreenFixture.h"

#include "plist/Plist.h"
#include "plist/PlistWriteFailure.h"
#include "screens/SecuritycheckTableViewCell.h"
#include "screens/UploadCheckAddCaseViewController.h"
#include "store/StoreFiles.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

namespace {

const QString kPhotoId = "1435644307.000000";
const QString kPhotoFile = "photo_" + kPhotoId + ".plist";

PhotoEntry entryOf(const QByteArray& jpeg, int second) {
    PhotoEntry entry;
    entry.photo = jpeg;
    entry.imgTime = QDateTime(QDate(2014, 12, 31), QTime(23, 59, second));
    entry.lat = 25.03f;
    entry.lon = 121.56f;
    return entry;
}

// A sent case in the store with its photo file: the inspector photo, three
// site photos and one maintenance-order photo.
struct EditCase : PhotoScreenTest {
    EditCase() {
        record = std::make_shared<CaseRecord>();
        record->pk = "P0001,C1030";
        record->pakeno = "P0001";
        record->Chkno = "C1030";
        record->type = QString::fromUtf8("安全檢查");
        record->state = "1";
        record->rcdTime = "103/12/31 23:59";
        record->prarms = {{"date", "1031231235907"}, {"pakeno", "P0001"}};
        record->photoId = kPhotoId;
        store().getWaitingStoreArray().append(record);
        EXPECT_TRUE(store().storeWaitingStoreArray());
        photos.topPhoto = entryOf(shot(0), 0);
        for (int i = 1; i <= 3; ++i)
            photos.photos << entryOf(shot(i, 320, 240), i);
        photos.photos_1 << entryOf(shot(9, 240, 320), 9);
        EXPECT_TRUE(store().storePhotoWithPhotoDict(kPhotoId, photos));
    }
    UploadCheckAddCaseViewController* openEditor() {
        return edit = open(UploadCheckAddCaseViewController::initWithDict(record));
    }
    PhotoFile photoFileOnDisk() const {
        return readPhotoFile(pathOf(kPhotoFile)).file.value_or(PhotoFile());
    }
    QString stateOnDisk() const {
        const CaseList cases =
            readCaseList(pathOf("waitingReport.plist")).cases.value_or(CaseList());
        return cases.size() == 1 ? cases[0]->state : QString("-");
    }

    std::shared_ptr<CaseRecord> record;
    PhotoFile photos;
    UploadCheckAddCaseViewController* edit = nullptr;
};

TEST_F(EditCase, ShowsTheStoredCase) {
    openEditor();
    EXPECT_EQ(edit->title(), QString::fromUtf8("安檢照片拍攝"));
    EXPECT_EQ(edit->time_lab->text(), "103/12/31 23:59") << "the case's own time";
    EXPECT_EQ(edit->type_lab->text(), QString::fromUtf8("安全檢查"));
    EXPECT_EQ(edit->Chkno_lab->text(), "C1030");
    EXPECT_TRUE(edit->_takeUserPhoto);
    EXPECT_FALSE(edit->personImg->icon().isNull());
    EXPECT_EQ(edit->tbl->count(), 3);
    EXPECT_EQ(edit->tbl1->count(), 1);
    EXPECT_EQ(edit->tableDetailArray, photos.photos);
    EXPECT_TRUE(store().isOpenGps());
}

QPixmap rowPicture(QListWidget* table, int row) {
    auto* cell = qobject_cast<SecuritycheckTableViewCell*>(table->itemWidget(table->item(row)));
    return cell ? cell->take_img->pixmap() : QPixmap();
}

QColor middleColour(const QImage& image) {
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

void expectNearColour(const QColor& seen, const QByteArray& jpeg) {
    const QColor expected = middleColour(QImage::fromData(jpeg));
    ASSERT_TRUE(seen.isValid());
    EXPECT_NEAR(seen.red(), expected.red(), 8);
    EXPECT_NEAR(seen.green(), expected.green(), 8);
    EXPECT_NEAR(seen.blue(), expected.blue(), 8);
}

// The pictures are made side by side: each must still land in its own row.
TEST_F(EditCase, EachRowShowsItsOwnStoredPhoto) {
    openEditor();
    for (int row = 0; row < 3; ++row)
        expectNearColour(middleColour(rowPicture(edit->tbl, row).toImage()),
                         photos.photos[row].photo);
    const QPixmap maintenance = rowPicture(edit->tbl1, 0);
    expectNearColour(middleColour(maintenance.toImage()), photos.photos_1[0].photo);
    EXPECT_GT(maintenance.height(), maintenance.width()) << "the portrait photo stays upright";
    const QIcon person = edit->personImg->icon();
    expectNearColour(middleColour(person.pixmap(edit->personImg->iconSize()).toImage()),
                     photos.topPhoto->photo);
}

// A stored photo that is not a picture leaves its row without one; the others
// keep theirs.
TEST_F(EditCase, APhotoThatIsNotAPictureLeavesOnlyItsRowEmpty) {
    photos.photos[1].photo = "not a JPEG";
    ASSERT_TRUE(store().storePhotoWithPhotoDict(kPhotoId, photos));
    openEditor();
    ASSERT_EQ(edit->tbl->count(), 3);
    EXPECT_TRUE(rowPicture(edit->tbl, 1).isNull());
    expectNearColour(middleColour(rowPicture(edit->tbl, 0).toImage()), photos.photos[0].photo);
    expectNearColour(middleColour(rowPicture(edit->tbl, 2).toImage()), photos.photos[2].photo);
}

TEST_F(EditCase, SavingASentCaseWithOnePhotoLessMakesItWaiting) {
    openEditor();
    deleteRow(edit->tbl, 1);
    edit->checkSend();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存成功"));
    EXPECT_EQ(fake.alerts.current().tag, 5);
    EXPECT_EQ(record->state, "0");
    EXPECT_EQ(stateOnDisk(), "0");
    const PhotoFile saved = photoFileOnDisk();
    EXPECT_EQ(saved.photos, (PhotoList{photos.photos[0], photos.photos[2]}));
    EXPECT_EQ(saved.photos_1, photos.photos_1);
    EXPECT_EQ(saved.topPhoto, photos.topPhoto);
    EXPECT_EQ(record->photoId, kPhotoId);
    EXPECT_EQ(record->rcdTime, "103/12/31 23:59");

    fake.alerts.press(0);
    EXPECT_EQ(nav.viewControllers(), QList<ViewController*>{below}) << "back to the records";
}

TEST_F(EditCase, SavingWithoutAChangeStillWritesAndMakesItWaiting) {
    QFile::remove(pathOf(kPhotoFile));
    store().storePhotoWithPhotoDict(kPhotoId, photos);
    openEditor();
    edit->checkSend();
    EXPECT_EQ(stateOnDisk(), "0");
    EXPECT_EQ(photoFileOnDisk(), photos);
}

TEST_F(EditCase, ANewInspectorPhotoReplacesTheStoredOneOnlyOnSaving) {
    openEditor();
    take(edit->cameraUpperButton, shot(5));
    EXPECT_EQ(photoFileOnDisk().topPhoto, photos.topPhoto);
    edit->checkSend();
    ASSERT_TRUE(photoFileOnDisk().topPhoto);
    EXPECT_EQ(photoFileOnDisk().topPhoto->photo, edit->_topDict->photo);
    EXPECT_NE(photoFileOnDisk().topPhoto->photo, photos.topPhoto->photo);
}

TEST_F(EditCase, LeavingLeavesThePhotoFileByteForByte) {
    const QByteArray before = bytesOf(kPhotoFile);
    openEditor();
    take(edit->cameraLowerButton, shot(7));
    deleteRow(edit->tbl, 0);
    take(edit->cameraUpperButton, shot(8));
    edit->popView();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("安檢照片尚未儲存"));
    fake.alerts.press("是");
    EXPECT_EQ(nav.viewControllers(), QList<ViewController*>{below});
    EXPECT_EQ(bytesOf(kPhotoFile), before);
    EXPECT_EQ(record->state, "1");
    EXPECT_EQ(stateOnDisk(), "1");
}

// A list longer than the screen opens at its first photo, whole; a photo
// taken then is scrolled into view at the end.
TEST_F(EditCase, AFullListOpensAtItsFirstPhotoAndShowsANewOne) {
    while (photos.photos.size() < 9)
        photos.photos << entryOf(shot(photos.photos.size(), 64, 48), 0);
    store().storePhotoWithPhotoDict(kPhotoId, photos);
    openEditor();
    QCoreApplication::processEvents();
    QListWidget* table = edit->tbl;
    ASSERT_GT(table->verticalScrollBar()->maximum(), 0)
        << "the list must be longer than the screen";
    EXPECT_EQ(table->verticalScrollBar()->value(), 0);
    EXPECT_EQ(table->visualItemRect(table->item(0)).top(), 0);
    take(edit->cameraLowerButton, shot(20));
    QCoreApplication::processEvents();
    const QRect last = table->visualItemRect(table->item(table->count() - 1));
    EXPECT_TRUE(table->viewport()->rect().contains(last)) << "the new photo's row is in view";
}

TEST_F(EditCase, TenSitePhotosRefuseAnEleventhUntilOneIsDeleted) {
    while (photos.photos.size() < 10)
        photos.photos << entryOf(shot(photos.photos.size(), 64, 48), 0);
    store().storePhotoWithPhotoDict(kPhotoId, photos);
    openEditor();
    edit->cameraLowerButton->click();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片數量錯誤"));
    fake.alerts.press(0);
    deleteRow(edit->tbl, 9);
    take(edit->cameraLowerButton, shot(20));
    EXPECT_EQ(edit->tableDetailArray.size(), 10);
}

TEST_F(EditCase, RefusedCameraAccessHasItsOwnWords) {
    openEditor();
    edit->cameraUpperButton->click();
    fake.camera.answerAccess(false);
    fake.clock.advance(0.01);
    EXPECT_EQ(alertTitle(), QString::fromUtf8("檢核錯誤"));
    EXPECT_EQ(alertMessage(),
              QString::fromUtf8("無權限使用「相機」功能, 請於[設定] > [隱私權]內授權開啟相機功能"));
}

TEST_F(EditCase, ACaseWithoutItsPhotoFileGetsACompleteOneOnceItHasAnInspectorPhoto) {
    QFile::remove(pathOf(kPhotoFile));
    openEditor();
    EXPECT_FALSE(edit->_takeUserPhoto);
    EXPECT_EQ(edit->tbl->count(), 0);
    take(edit->cameraLowerButton, shot(3));
    edit->checkSend();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("資料檢核錯誤"));
    fake.alerts.press(0);
    EXPECT_FALSE(QFile::exists(pathOf(kPhotoFile)));
    EXPECT_EQ(record->state, "1");

    take(edit->cameraUpperButton, shot(4));
    edit->checkSend();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存成功"));
    const PlistReadResult file = readPlistFile(pathOf(kPhotoFile));
    ASSERT_TRUE(file.value && file.value->asDict());
    const PlistDict& dict = *file.value->asDict();
    for (const char* key : {"topPhoto", "photos", "photos_1"})
        EXPECT_NE(dict.value(key), nullptr) << key;
    EXPECT_EQ(photoFileOnDisk().photos.size(), 1);
}

TEST_F(EditCase, AFailedPhotoFileWriteChangesNothing) {
    const QByteArray before = bytesOf(kPhotoFile);
    openEditor();
    deleteRow(edit->tbl, 0);
    {
        FileSizeLimit fullDisk(4096);
        edit->checkSend();
    }
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存失敗"));
    fake.alerts.press(0);
    EXPECT_EQ(bytesOf(kPhotoFile), before);
    EXPECT_EQ(record->state, "1");
    EXPECT_EQ(stateOnDisk(), "1");
    EXPECT_EQ(edit->tableDetailArray.size(), 2) << "the edit stays on screen";

    edit->checkSend();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存成功"));
    EXPECT_EQ(photoFileOnDisk().photos.size(), 2);
}

TEST_F(EditCase, AFailedListWriteTakesThePhotoFileBack) {
    openEditor();
    deleteRow(edit->tbl, 0);
    // The list cannot be replaced while a folder stands in its place.
    ASSERT_TRUE(QFile::remove(pathOf("waitingReport.plist")));
    ASSERT_TRUE(QDir(fake.path()).mkdir("waitingReport.plist"));
    edit->checkSend();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存失敗"));
    EXPECT_EQ(record->state, "1");
    EXPECT_EQ(photoFileOnDisk(), photos);
}

} // namespace
