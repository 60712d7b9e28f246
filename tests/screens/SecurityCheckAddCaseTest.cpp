#include "PhotoScreenFixture.h"

#include "plist/PlistWriteFailure.h"
#include "screens/CasePhotoLayout.h"
#include "screens/SecurityCheckAddCaseViewController.h"
#include "screens/SecuritycheckTableViewCell.h"
#include "store/StoreFiles.h"
#include "support/LibjpegFiles.h"
#include "ui/ElidedLabel.h"
#include "util/PublicFunction.h"

#include <QCoreApplication>

#include <QLabel>
#include <QToolButton>

namespace {

const QString kType = QString::fromUtf8("竣工檢查");

QList<QByteArray> jpegsOf(const PhotoList& photos) {
    QList<QByteArray> jpegs;
    for (const PhotoEntry& entry : photos)
        jpegs << entry.photo;
    return jpegs;
}

struct NewCase : PhotoScreenTest {
    NewCase() {
        fake.clock.set(QDateTime(QDate(2015, 6, 30), QTime(14, 5, 7)));
        auto* made = SecurityCheckAddCaseViewController::initWithPakenoWithChknoWithType(
            "P0001", "C1030", kType);
        made->makeCheckStartScreen = [this] {
            nextCheckStart = new ViewController;
            nextCheckStart->setTitle("check start");
            return nextCheckStart;
        };
        addCase = open(made);
    }
    void storeCase(bool withInspector = true) {
        if (withInspector) take(addCase->cameraUpperButton, shot(0));
        addCase->checkSend();
    }
    // The case list as a new process would read it from the disk.
    CaseList storedCases() const {
        return readCaseList(pathOf("waitingReport.plist")).cases.value_or(CaseList());
    }

    SecurityCheckAddCaseViewController* addCase = nullptr;
    ViewController* nextCheckStart = nullptr;
};

TEST_F(NewCase, ShowsTheCaseAndRunsTheGpsWhileItLives) {
    EXPECT_EQ(addCase->title(), QString::fromUtf8("安檢照片拍攝"));
    EXPECT_EQ(addCase->type_lab->text(), kType);
    EXPECT_EQ(addCase->time_lab->text(), "104/06/30 14:05");
    EXPECT_EQ(addCase->pakeno_lab->text(), "P0001");
    EXPECT_EQ(addCase->Chkno_lab->text(), "C1030");
    EXPECT_EQ(addCase->_takePhotoTime, "1040630140507");
    EXPECT_EQ(addCase->_deleteIndex, -1);
    EXPECT_TRUE(store().isOpenGps());
    nav.removeViewController(addCase);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(store().isOpenGps());
}

// A 24-character equipment number fits a tablet's screen whole; on a phone
// it is shortened with "…" and the screen keeps its width.
TEST_F(PhotoScreenTest, ALongEquipmentNumberIsShortenedWhereItCannotFit) {
    const QString number = "ABCDEFGHIJKLMNOPQRSTUVWX";
    for (const bool tablet : {false, true}) {
        SCOPED_TRACE(tablet ? "tablet" : "phone");
        fake.device.tablet = tablet;
        nav.resize(tablet ? QSize(768, 1024) : QSize(320, 568));
        auto* made = open(SecurityCheckAddCaseViewController::initWithPakenoWithChknoWithType(
            number, "C1030", kType));
        QCoreApplication::processEvents();
        auto* label = dynamic_cast<ElidedLabel*>(made->pakeno_lab);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), number);
        EXPECT_LE(label->mapTo(made, QPoint(label->width(), 0)).x(), made->width());
        EXPECT_LE(made->width(), nav.width());
        if (tablet)
            EXPECT_EQ(label->shownText(), number);
        else
            EXPECT_TRUE(label->shownText().endsWith("…")) << label->shownText().toStdString();
        nav.removeViewController(made);
    }
}

struct Limit {
    const char* name;
    int limit;
    const char* message;
};

class PhotoLimit : public NewCase, public testing::WithParamInterface<Limit> {};

TEST_P(PhotoLimit, OneMoreIsRefusedUntilOneIsDeleted) {
    const bool site = GetParam().limit == 10;
    QPushButton* button = site ? addCase->cameraLowerButton : addCase->cameraRightButton;
    QListWidget* table = site ? addCase->tbl : addCase->tbl1;
    for (int i = 0; i < GetParam().limit; ++i)
        take(button, shot(i, 64, 48));
    ASSERT_EQ(addCase->tableViewNumberOfRowsInSection(table), GetParam().limit);
    ASSERT_EQ(table->count(), GetParam().limit);

    button->click();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片數量錯誤"));
    EXPECT_EQ(alertMessage(), QString::fromUtf8(GetParam().message));
    EXPECT_TRUE(fake.camera.pendingAccess.empty()) << "no camera opens";
    fake.alerts.press(0);

    deleteRow(table, 0);
    take(button, shot(99, 64, 48));
    EXPECT_EQ(addCase->tableViewNumberOfRowsInSection(table), GetParam().limit);
    EXPECT_EQ(table->count(), GetParam().limit);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PhotoLimit,
    testing::Values(Limit{"site", 10, "現場照片數量最多10張, 請刪除不要的照片後再拍照"},
                    Limit{"maintenance", 3, "維護保養單照片數量最多3張, 請刪除不要的照片後再拍照"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NewCase, EntriesKeepThePositionOfTheCameraOpening) {
    store().setNowLocation(LocationFix{25.0339639, 121.5644722, fake.clock.now()});
    addCase->cameraLowerButton->click();
    fake.camera.answerAccess(true);
    fake.clock.advance(0.01);
    store().setNowLocation(LocationFix{22.6, 120.3, fake.clock.now()}); // the inspector moved
    fake.clock.advance(30);
    fake.camera.returnPhoto(shot(1));

    ASSERT_EQ(addCase->tableDetailArray.size(), 1);
    const PhotoEntry& entry = addCase->tableDetailArray[0];
    EXPECT_EQ(entry.lat, 25.0339639f);
    EXPECT_EQ(entry.lon, 121.5644722f);
    EXPECT_EQ(entry.imgTime, fake.clock.now()) << "the time the camera returned the photo";

    store().setNowLocation(std::nullopt);
    take(addCase->cameraRightButton, shot(2));
    EXPECT_EQ(addCase->tableDetailArray_1[0].lat, 0.0f);
    EXPECT_EQ(addCase->tableDetailArray_1[0].lon, 0.0f);
}

TEST_F(NewCase, ARowShowsItsFramedPhotoAndRocTime) {
    take(addCase->cameraLowerButton, shot(1));
    auto* cell =
        qobject_cast<SecuritycheckTableViewCell*>(addCase->tbl->itemWidget(addCase->tbl->item(0)));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->time_lab->text(), "104/06/30 14:05");
    const QPixmap picture = cell->take_img->pixmap();
    ASSERT_FALSE(picture.isNull());
    // 1000 x 750 shrunk into the row with a 15-pixel frame on every side.
    const QSize points = casePhotoLayoutFor(false, false).rowPicture;
    EXPECT_LE(picture.deviceIndependentSize().width(), points.width());
    EXPECT_NEAR(picture.width() - 30, (picture.height() - 30) * 4.0 / 3.0, 2.0);
    EXPECT_EQ(cell->separatorRect(), QRect(0, cell->height() - 3, cell->width(), 3));
    // The strip is white at 0.2 over the transparent row.
    const QImage row = cell->grab().toImage();
    const QRgb strip = row.pixel(cell->width() / 2, cell->height() - 1);
    EXPECT_NEAR(qAlpha(strip), 51, 2);
    EXPECT_EQ(qAlpha(row.pixel(2, cell->height() - 4)), 0);
}

TEST_F(NewCase, DeletingTheSecondOfThreeKeepsTheFirstAndThirdInOrder) {
    for (int i = 0; i < 3; ++i)
        take(addCase->cameraLowerButton, shot(i));
    const PhotoList before = addCase->tableDetailArray;

    // Back from the preview without deleting: nothing goes.
    addCase->tableViewDidSelectRowAtIndexPath(addCase->tbl, 1);
    nav.popViewControllerAnimated(true);
    EXPECT_EQ(addCase->tableDetailArray, before);

    deleteRow(addCase->tbl, 1);
    EXPECT_EQ(nav.topViewController(), addCase);
    EXPECT_EQ(addCase->tableDetailArray, (PhotoList{before[0], before[2]}));
    EXPECT_EQ(addCase->tbl->count(), 2);
    EXPECT_EQ(addCase->_deleteIndex, -1);
    EXPECT_FALSE(store().isNeedDelete());

    deleteRow(addCase->tbl, 0, false);
    EXPECT_EQ(addCase->tableDetailArray.size(), 2) << "否 deletes nothing";
}

TEST_F(NewCase, TheInspectorPhotoTakenTwiceKeepsTheSecond) {
    take(addCase->cameraUpperButton, shot(1));
    take(addCase->cameraUpperButton, shot(2));
    ASSERT_TRUE(addCase->_topDict);
    EXPECT_TRUE(addCase->_takeUserPhoto);
    EXPECT_FALSE(addCase->personImg->icon().isNull());
    // The second shot's colour, under the stamps.
    const QImage stored = QImage::fromData(addCase->_topDict->photo);
    const QColor expected = QColor::fromHsv(74, 200, 200);
    EXPECT_NEAR(stored.pixelColor(500, 300).hue(), expected.hue(), 4);

    addCase->photoSelect();
    auto* preview = qobject_cast<PhotoPreviewViewController*>(nav.topViewController());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->title(), QString::fromUtf8("照片檢視"));
    EXPECT_EQ(preview->rightBarButton(), nullptr) << "the inspector photo cannot be deleted";
}

TEST_F(NewCase, DoneWithoutTheInspectorPhotoStoresNothing) {
    take(addCase->cameraLowerButton, shot(1));
    take(addCase->cameraRightButton, shot(2));
    addCase->checkSend();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("資料檢核錯誤"));
    EXPECT_EQ(alertMessage(), QString::fromUtf8("檢查員入鏡照片必須拍攝"));
    EXPECT_TRUE(store().getWaitingStoreArray().isEmpty());
    EXPECT_FALSE(QFile::exists(pathOf("waitingReport.plist")));
}

TEST_F(NewCase, StoresTheCaseAndMakesWayForTheNextCheckStart) {
    store().setNowLocation(LocationFix{25.03, 121.56, fake.clock.now()});
    storeCase(); // only the inspector photo
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存成功"));
    EXPECT_EQ(alertMessage(), QString::fromUtf8("檢查照片已成功儲存"));
    EXPECT_EQ(fake.alerts.current().tag, 5);

    const CaseList cases = storedCases();
    ASSERT_EQ(cases.size(), 1);
    const CaseRecord& record = *cases[0];
    EXPECT_EQ(record.pk, "P0001,C1030");
    EXPECT_EQ(record.pakeno, "P0001");
    EXPECT_EQ(record.Chkno, "C1030");
    EXPECT_EQ(record.type, kType);
    EXPECT_EQ(record.state, "0");
    EXPECT_EQ(record.rcdTime, "104/06/30 14:05");
    const QMap<QString, QString> prarms{{"date", "1040630140507"},
                                        {"pakeno", "P0001"},
                                        {"Chkno", "C1030"},
                                        {"startTime", "1040630140507"},
                                        {"devToken", PublicFunction::getUUID()},
                                        {"tecuni", "QTEyMzQ1Njc4OQ=="},
                                        {"tecnam", "546L5bCP5piO"}}; // 王小明
    EXPECT_EQ(record.prarms, prarms);
    ASSERT_TRUE(record.photos && record.photos_1 && record.topPhoto);
    EXPECT_TRUE(record.photos->isEmpty());
    EXPECT_TRUE(record.photos_1->isEmpty());
    // The file keeps whole seconds.
    EXPECT_EQ(record.topPhoto->imgTime.toSecsSinceEpoch(), fake.clock.now().toSecsSinceEpoch());
    EXPECT_EQ(record.topPhoto->lat, 25.03f);
    EXPECT_EQ(record.topPhoto->lon, 121.56f);
    const QImage photo = QImage::fromData(record.topPhoto->photo, "JPEG");
    EXPECT_EQ(photo.size(), QSize(1000, 750));
    EXPECT_GT(pixelsWhere(photo, QRect(800, 0, 200, 40), isYellow).count, 20) << "check number";
    EXPECT_GT(pixelsWhere(photo, QRect(425, 704, 150, 40), isBlue).count, 20) << "name";

    fake.alerts.press(0);
    ASSERT_NE(nextCheckStart, nullptr);
    EXPECT_EQ(nav.viewControllers(), (QList<ViewController*>{below, nextCheckStart}));
}

TEST_F(NewCase, SiteAndMaintenancePhotosAreStoredInTheOrderTaken) {
    for (int i = 0; i < 2; ++i)
        take(addCase->cameraLowerButton, shot(i, 3000, 4000));
    take(addCase->cameraRightButton, shot(5, 800, 600));
    storeCase();
    const CaseList cases = storedCases();
    ASSERT_EQ(cases.size(), 1);
    EXPECT_EQ(jpegsOf(*cases[0]->photos), jpegsOf(addCase->tableDetailArray));
    EXPECT_EQ(jpegsOf(*cases[0]->photos_1), jpegsOf(addCase->tableDetailArray_1));
    EXPECT_EQ(QImage::fromData(cases[0]->photos->at(0).photo).size(), QSize(750, 1000));
    EXPECT_EQ(QImage::fromData(cases[0]->photos_1->at(0).photo).size(), QSize(800, 600));
}

TEST_F(NewCase, LeavingAsksFirst) {
    take(addCase->cameraUpperButton, shot(1));
    take(addCase->cameraLowerButton, shot(2));
    addCase->popView();
    EXPECT_EQ(alertTitle(), QString::fromUtf8("安檢照片尚未儲存"));
    EXPECT_EQ(alertMessage(), QString::fromUtf8("拍攝的安檢照片尚未儲存, 你確定不儲存直接離開?"));
    fake.alerts.press("否");
    EXPECT_EQ(nav.topViewController(), addCase);
    EXPECT_EQ(addCase->tableDetailArray.size(), 1);
    EXPECT_TRUE(addCase->_topDict);

    addCase->popView();
    fake.alerts.press("是");
    EXPECT_EQ(nav.viewControllers(), QList<ViewController*>{below});
    EXPECT_TRUE(store().getWaitingStoreArray().isEmpty());
    EXPECT_FALSE(QFile::exists(pathOf("waitingReport.plist")));
}

// A click on the window's close box never loses photos silently.
TEST_F(NewCase, ClosingTheWindowWithUnstoredPhotosAsksFirst) {
    EXPECT_TRUE(addCase->windowShouldClose()); // nothing taken yet
    take(addCase->cameraLowerButton, shot(1));
    EXPECT_FALSE(addCase->windowShouldClose());
    EXPECT_EQ(alertTitle(), QString::fromUtf8("安檢照片尚未儲存"));
    EXPECT_FALSE(addCase->windowShouldClose()); // a second close asks no second time
    fake.alerts.press("否");
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_TRUE(nav.isVisible());
    EXPECT_EQ(nav.topViewController(), addCase);

    EXPECT_FALSE(addCase->windowShouldClose());
    fake.alerts.press("是");
    EXPECT_EQ(nav.viewControllers(), QList<ViewController*>{below});
    EXPECT_FALSE(nav.isVisible());
}

TEST_F(NewCase, AFailedSaveSaysSoAndKeepsEverything) {
    take(addCase->cameraLowerButton, shot(1));
    {
        FileSizeLimit fullDisk(4096);
        storeCase();
    }
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存失敗"));
    fake.alerts.press(0);
    EXPECT_TRUE(store().getWaitingStoreArray().isEmpty()) << "memory agrees with the disk";
    EXPECT_FALSE(QFile::exists(pathOf("waitingReport.plist")));
    EXPECT_EQ(nav.topViewController(), addCase);
    EXPECT_EQ(addCase->tableDetailArray.size(), 1);
    EXPECT_EQ(addCase->tbl->count(), 1);

    addCase->checkSend(); // the inspector tries again
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片儲存成功"));
    EXPECT_EQ(storedCases().size(), 1);
    EXPECT_EQ(store().getWaitingStoreArray().size(), 1);
}

TEST_F(NewCase, APhotoThePipelineRefusesIsNotAdded) {
    const QByteArray whole = shot(1);
    const QByteArray cmyk =
        libjpegFile(redLeftBlueRight(1600, 1), 1200, {.colors = JpegForm::Colors::Cmyk});
    for (const QByteArray& bad : {QByteArray(), QByteArray("not a picture"),
                                  whole.left(whole.size() / 2), cmyk.left(cmyk.size() / 2)}) {
        take(addCase->cameraLowerButton, bad);
        EXPECT_EQ(alertTitle(), QString::fromUtf8("照片無法使用"));
        fake.alerts.press(0);
    }
    take(addCase->cameraUpperButton, QByteArray("\xff\xd8\xff"));
    EXPECT_EQ(alertTitle(), QString::fromUtf8("照片無法使用"));
    fake.alerts.press(0);
    EXPECT_TRUE(addCase->tableDetailArray.isEmpty());
    EXPECT_EQ(addCase->tbl->count(), 0);
    EXPECT_FALSE(addCase->_topDict);
}

TEST_F(NewCase, PhotosOfEveryShapeFitWithin1000) {
    const QList<QPair<QSize, QSize>> cases{
        {{1, 1}, {1, 1}}, {{4000, 3000}, {1000, 750}}, {{20000, 20000}, {1000, 1000}}};
    for (const auto& [camera, stored] : cases) {
        const QByteArray jpeg = camera.width() > 5000
                                    ? flatGreyJpeg(camera.width(), camera.height())
                                    : shot(1, camera.width(), camera.height());
        take(addCase->cameraLowerButton, jpeg);
        ASSERT_FALSE(fake.alerts.showing()) << alertTitle().toStdString();
        EXPECT_EQ(QImage::fromData(addCase->tableDetailArray.last().photo).size(), stored);
    }
    // A camera that turns the phone says so in EXIF; the photo stands upright.
    take(addCase->cameraLowerButton, withExifOrientation(shot(1, 400, 300), 6));
    EXPECT_EQ(QImage::fromData(addCase->tableDetailArray.last().photo).size(), QSize(300, 400));
}

TEST_F(NewCase, RefusedCameraAccessOrACancelTakesNothing) {
    addCase->cameraLowerButton->click();
    fake.camera.answerAccess(false);
    EXPECT_FALSE(fake.alerts.showing()) << "the answer is handled 0.01 s later";
    fake.clock.advance(0.01);
    EXPECT_EQ(alertTitle(), "");
    EXPECT_EQ(alertMessage(),
              QString::fromUtf8("無法使用「相機」功能, 請於[設定] -> [隱私權]內授權開啟相機功能"));
    fake.alerts.press(0);

    take(addCase->cameraLowerButton, shot(1));
    addCase->cameraLowerButton->click();
    fake.camera.answerAccess(true);
    fake.clock.advance(0.01);
    fake.camera.returnPhoto(std::nullopt);
    EXPECT_EQ(addCase->tableDetailArray.size(), 1);
    EXPECT_FALSE(fake.alerts.showing());
}

} // namespace
