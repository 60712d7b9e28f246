#include "screens/SecuritycheckViewController.h"

#include "FakeQrCapture.h"
#include "qr/QRReaderViewController.h"
#include "screens/MainViewController.h"
#include "store/PublicVars.h"
#include "store/StoreFixture.h"
#include "support/FakePlatform.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/ProgressOverlay.h"
#include "widgets/AnimateView.h"
#include "widgets/ImageButton.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kNotRegistrationTitle = "登記碼掃描錯誤";
const QString kNotRegistration = "掃描的QRcode並非檢查/維護登記碼";
const QString kStoredTitle = "資料檢核錯誤";
const QString kStored = "此登記碼已完成安檢拍照作業, 欲增減照片請至紀錄上傳功能操作";
const QString kNotPermitTitle = "許可證掃描錯誤";
const QString kNotPermit = "掃描的QRcode並非設備使用許可證條碼";
const QString kMismatchText = "這不是登記碼指定要檢查的設備\n請確認後再重新掃描一次";
const QColor kGreen(0x99, 0xcc, 0x00);
const QColor kRed(0xff, 0x44, 0x44);

struct OpenedUpload {
    QString pakeno, Chkno, type;
    bool operator==(const OpenedUpload&) const = default;
};

void PrintTo(const OpenedUpload& u, std::ostream* os) {
    *os << (u.pakeno + " / " + u.Chkno + " / " + u.type).toStdString();
}

// The camera frame a code is read in: a uniform colour, portrait as the
// reader hands it over.
QImage cameraFrame(QColor colour = QColor(40, 90, 160)) {
    QImage frame(480, 640, QImage::Format_ARGB32_Premultiplied);
    frame.fill(colour);
    return frame;
}

// The check start on top of a stand-in main screen, on fake services with an
// empty store and a camera; the photo screen it opens is a plain screen that
// records what it was made for.
class CheckStart : public testing::Test {
  protected:
    CheckStart() {
        PublicVars::resetSharedInstanceForTesting();
        fake.services.qrCapture = &captures;
    }
    ~CheckStart() override {
        delete navigation;
        PublicVars::resetSharedInstanceForTesting();
    }

    SecuritycheckViewController* load() {
        navigation = new NavigationController;
        navigation->resize(fake.device.size.toSize());
        navigation->pushViewController(mainScreen, false);
        screen = new SecuritycheckViewController("SecuritycheckViewController");
        screen->makeUploadScreen = [this](const QString& pakeno, const QString& Chkno,
                                          const QString& type) {
            uploads.push_back({pakeno, Chkno, type});
            photoScreen = new ViewController;
            return photoScreen;
        };
        navigation->pushViewController(screen, false);
        navigation->show();
        return screen;
    }

    ViewController* top() const { return navigation->topViewController(); }
    QRReaderViewController* reader() const { return qobject_cast<QRReaderViewController*>(top()); }

    // Taps a scan image and lets the camera access come; returns the reader
    // that opened, if any.
    QRReaderViewController* tap(ImageButton* button, bool granted = true) {
        button->click();
        fake.camera.answerAccess(granted);
        fake.clock.advance(0.01);
        return reader();
    }
    // Scans a code with the reader the button opens.
    void scan(ImageButton* button, const QString& text, const QImage& frame = cameraFrame()) {
        QRReaderViewController* opened = tap(button);
        ASSERT_NE(opened, nullptr);
        opened->callDidFinishedReadingQRWithScanImage(text, frame);
        fake.clock.advance(0);
    }
    void scanRegistration(const QString& text) { scan(screen->topButton, text); }
    void scanPermit(const QString& text) { scan(screen->bottomButton, text); }

    bool showsStartImages() const {
        return screen->topButton->image() == QImage(":/qrcodeButton2.png") &&
               screen->bottomButton->image() == QImage(":/qrcodeButton1.png");
    }
    QColor checkViewColour() const {
        return screen->checkView->autoFillBackground()
                   ? screen->checkView->palette().color(QPalette::Window)
                   : QColor(Qt::transparent);
    }
    QString alertText() const {
        return fake.alerts.showing()
                   ? fake.alerts.current().title + " / " + fake.alerts.current().message
                   : QString();
    }
    void expectOneButtonAlert(const QString& title, const QString& message) {
        ASSERT_TRUE(fake.alerts.showing());
        EXPECT_EQ(alertText(), title + " / " + message);
        EXPECT_EQ(fake.alerts.current().buttonTitles(), QStringList{"知道了"});
        fake.alerts.press(0);
        EXPECT_FALSE(fake.alerts.showing());
    }

    FakePlatform fake;
    FakeQrCaptureFactory captures;
    NavigationController* navigation = nullptr;
    ViewController* mainScreen = new ViewController;
    SecuritycheckViewController* screen = nullptr;
    ViewController* photoScreen = nullptr;
    std::vector<OpenedUpload> uploads;
};

TEST_F(CheckStart, LoadsWithTitleStartingPicturesAndNamedViews) {
    load();
    EXPECT_EQ(screen->title(), "檢查設備確認");
    EXPECT_EQ(screen->backBarButtonTitle(), "返回");
    EXPECT_FALSE(navigation->isNavigationBarHidden());
    EXPECT_TRUE(showsStartImages());
    EXPECT_FALSE(screen->topButton->image().isNull());
    EXPECT_TRUE(screen->canSuccess());
    EXPECT_EQ(screen->topString(), std::nullopt);
    EXPECT_TRUE(screen->note_lab->isVisible());
    EXPECT_FALSE(screen->note_lab->text().isEmpty());
    EXPECT_TRUE(screen->centerView->isVisible());
    EXPECT_FALSE(screen->equalResult_lab->isVisible());
    EXPECT_EQ(checkViewColour(), QColor(Qt::transparent));
    for (const char* name :
         {"topButton", "bottomButton", "checkView", "equalResult_lab", "note_lab", "centerView"})
        EXPECT_NE(screen->findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(CheckStart, ANoPermitCheckTurnsGreenAndOpensThePhotoScreenAfterThreeSeconds) {
    load();
    QRReaderViewController* opened = tap(screen->topButton);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->title(), "登記碼掃描");
    EXPECT_TRUE(opened->hasFoot);
    opened->callDidFinishedReadingQRWithScanImage("A100,F2024001", cameraFrame());

    // The reader is gone at once; the code's picture stands for it, framed and rounded.
    EXPECT_EQ(top(), screen);
    EXPECT_EQ(screen->topString(), "A100,F2024001");
    const QImage picture = screen->topButton->image();
    EXPECT_EQ(picture.size(), QSize(510, 670));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "rounded corner";
    EXPECT_EQ(picture.pixelColor(255, 335), QColor(40, 90, 160));

    // Waiting: only the turning indicator over the result box.
    ASSERT_NE(screen->activityIndicator(), nullptr);
    EXPECT_EQ(screen->activityIndicator()->parentWidget(), screen->checkView);
    EXPECT_EQ(screen->activityIndicator()->box(), ProgressOverlay::Box::Transparent);
    EXPECT_FALSE(screen->note_lab->isVisible());
    EXPECT_FALSE(screen->centerView->isVisible());
    EXPECT_EQ(screen->checkView->geometry(), QRect(130, 50, 60, 60));

    fake.clock.advance(2.0);
    EXPECT_EQ(screen->activityIndicator(), nullptr);
    EXPECT_EQ(checkViewColour(), kGreen);
    fake.clock.advance(0.25);
    // Half way, evenly (the view moves in steps of 1/30 s).
    EXPECT_NEAR(screen->checkView->x(), 73, 8);
    EXPECT_NEAR(screen->checkView->width(), 175, 16);
    EXPECT_EQ(screen->checkView->height(), 60);
    EXPECT_FALSE(screen->equalResult_lab->isVisible());
    fake.clock.advance(0.25);
    EXPECT_EQ(screen->checkView->geometry(), QRect(15, 50, 290, 60));
    EXPECT_TRUE(screen->equalResult_lab->isVisible());
    EXPECT_EQ(screen->equalResult_lab->text(), "確認正確");
    EXPECT_TRUE(uploads.empty());

    fake.clock.advance(0.5);
    EXPECT_EQ(uploads, (std::vector<OpenedUpload>{{"A100", "F2024001", "竣工檢查"}}));
    EXPECT_EQ(navigation->viewControllers(), (QList<ViewController*>{mainScreen, photoScreen}));
    EXPECT_TRUE(fake.alerts.count() == 0);
}

struct PermitCase {
    const char* name;
    QString registration;
    QString permit;
    enum { Green, Red, NotPermit } outcome;
    QString type; // of the photo screen, when green
};

void PrintTo(const PermitCase& c, std::ostream* os) {
    *os << c.name;
}

class PermitOutcome : public CheckStart, public testing::WithParamInterface<PermitCase> {};

TEST_P(PermitOutcome, DecidesFromThePermitNumber) {
    const PermitCase& c = GetParam();
    load();
    scanRegistration(c.registration);
    EXPECT_EQ(screen->topString(), c.registration);
    EXPECT_EQ(screen->activityIndicator(), nullptr) << "waits for the permit";
    fake.clock.advance(0.5);

    QRReaderViewController* opened = tap(screen->bottomButton);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->title(), "許可證掃描");
    EXPECT_FALSE(opened->hasFoot);
    opened->callDidFinishedReadingQRWithScanImage(c.permit, cameraFrame(Qt::darkGreen));
    fake.clock.advance(0);

    if (c.outcome == PermitCase::NotPermit) {
        EXPECT_EQ(top(), screen) << "the reader left by itself";
        expectOneButtonAlert(kNotPermitTitle, kNotPermit);
        EXPECT_EQ(screen->bottomString(), std::nullopt);
        EXPECT_EQ(screen->topString(), c.registration);
        EXPECT_FALSE(screen->canSuccess());
        EXPECT_EQ(screen->activityIndicator(), nullptr);
        fake.clock.advance(0.5);
        EXPECT_TRUE(screen->canSuccess()) << "0.5 s after the screen showed again";
        return;
    }
    EXPECT_EQ(top(), screen);
    EXPECT_EQ(screen->bottomString(), readPermitNumber(c.permit));
    EXPECT_EQ(screen->bottomButton->image().pixelColor(255, 335), QColor(Qt::darkGreen));
    fake.clock.advance(2.5);
    EXPECT_EQ(checkViewColour(), c.outcome == PermitCase::Green ? kGreen : kRed);
    EXPECT_EQ(screen->equalResult_lab->text(),
              c.outcome == PermitCase::Green ? "確認正確" : kMismatchText);
    fake.clock.advance(0.5);

    if (c.outcome == PermitCase::Green) {
        const QString pakeno = c.registration.section(',', 0, 0);
        const QString Chkno = c.registration.section(',', 1, 1);
        EXPECT_EQ(uploads, (std::vector<OpenedUpload>{{pakeno, Chkno, c.type}}));
        EXPECT_EQ(top(), photoScreen);
        return;
    }
    // Red: both codes forgotten, the banner stays until the next scan starts.
    EXPECT_TRUE(uploads.empty());
    EXPECT_EQ(top(), screen);
    EXPECT_EQ(screen->topString(), std::nullopt);
    EXPECT_EQ(screen->bottomString(), std::nullopt);
    EXPECT_TRUE(showsStartImages());
    EXPECT_EQ(screen->checkView->geometry(), QRect(15, 50, 290, 60));
    EXPECT_TRUE(screen->equalResult_lab->isVisible());
    EXPECT_FALSE(screen->note_lab->isVisible());

    tap(screen->topButton);
    EXPECT_TRUE(screen->equalResult_lab->isHidden());
    EXPECT_FALSE(screen->note_lab->isHidden());
    EXPECT_FALSE(screen->centerView->isHidden());
    EXPECT_EQ(checkViewColour(), QColor(Qt::transparent));
    EXPECT_EQ(screen->checkView->geometry(), QRect(130, 50, 60, 60));
}

INSTANTIATE_TEST_SUITE_P(
    Permits, PermitOutcome,
    testing::Values(
        PermitCase{"Matching", "A100,C2024001", "P?type=1&ipno=A100", PermitCase::Green,
                   "安全檢查"},
        PermitCase{"EmptyNumber", "A100,C2024001", "P?type=1&ipno=", PermitCase::Green, "竣工檢查"},
        PermitCase{"LowerCaseFStillNeedsOne", "a100,f2024001", "P?type=1&ipno=a100",
                   PermitCase::Green, "安全檢查"},
        PermitCase{"FurtherFieldsIgnored", "A100,C2024001,X", "http://p.test/?k=1&ipno=A100=2",
                   PermitCase::Green, "安全檢查"},
        PermitCase{"OtherEquipment", "A100,C2024001", "P?type=1&ipno=B200", PermitCase::Red, {}},
        PermitCase{"NumberInOtherCase", "A100,C2024001", "P?type=1&ipno=a100", PermitCase::Red, {}},
        PermitCase{"IpnoFirst", "A100,C2024001", "P?ipno=A100&type=1", PermitCase::NotPermit, {}},
        PermitCase{"Empty", "A100,C2024001", "", PermitCase::NotPermit, {}},
        PermitCase{"ControlCharacter",
                   "A100,C2024001",
                   QString("P?type=1&ipno=A100\x01"),
                   PermitCase::NotPermit,
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckStart, RefusedRegistrationCodesLeaveTheHeldOneAlone) {
    fake.device.size = QSizeF(320, 568);
    PublicVars::sharedInstance().getWaitingStoreArray().append(testCase("A100", "C2024001"));
    PublicVars::sharedInstance().getWaitingStoreArray().last()->state = "1";
    load();
    scanRegistration("B7,C1");
    const QImage held = screen->topButton->image();
    const struct {
        QString payload, title, message;
    } refused[] = {
        {"A100", kNotRegistrationTitle, kNotRegistration},
        {"", kNotRegistrationTitle, kNotRegistration},
        {QString("A100,C1") + QChar(0xFFFE), kNotRegistrationTitle, kNotRegistration},
        {"A100,C2024001", kStoredTitle, kStored},
    };
    for (const auto& r : refused) {
        scanRegistration(r.payload);
        EXPECT_EQ(top(), screen) << "the reader left by itself";
        expectOneButtonAlert(r.title, r.message);
        EXPECT_EQ(screen->topString(), "B7,C1");
        EXPECT_EQ(screen->topButton->image(), held);
    }
    // More fields than two never match a stored key.
    scanRegistration("A100,C2024001,X");
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(screen->topString(), "A100,C2024001,X");
}

TEST_F(CheckStart, APermitBeforeAnyRegistrationCodeIsRefusedWithoutOpeningTheReader) {
    load();
    screen->bottomButton->click();
    EXPECT_TRUE(fake.camera.pendingAccess.empty());
    expectOneButtonAlert("資料檢核錯誤", "請先掃描檢查/維護登記碼");
    EXPECT_EQ(top(), screen);
}

TEST_F(CheckStart, WithoutCameraAccessAnAlertShowsAndNoReaderOpens) {
    load();
    EXPECT_EQ(tap(screen->topButton, false), nullptr);
    expectOneButtonAlert("檢核錯誤",
                         "無權限使用「相機」功能, 請於[設定] > [隱私權]內授權開啟相機功能");
    EXPECT_TRUE(screen->isTopQRCode());
}

TEST_F(CheckStart, TheReaderOpensOnlyOnceTheAccessAnswerIsAHundredthOfASecondOld) {
    load();
    screen->topButton->click();
    screen->topButton->click();
    fake.camera.answerAccess(true);
    fake.camera.answerAccess(true);
    fake.clock.advance(0.009);
    EXPECT_EQ(reader(), nullptr);
    fake.clock.advance(0.001);
    ASSERT_NE(reader(), nullptr);
    EXPECT_EQ(navigation->viewControllers().size(), 3) << "one reader for two taps";
}

TEST_F(CheckStart, APermitWhileItCannotSucceedIsDropped) {
    load();
    scanRegistration("A100,C2024001");
    fake.clock.advance(0.5);
    scanPermit("not a permit");
    fake.alerts.press(0);
    ASSERT_FALSE(screen->canSuccess());

    // A good permit read before the screen has been back for 0.5 s.
    scanPermit("P?type=1&ipno=A100");
    EXPECT_EQ(top(), screen) << "the reader left by itself";
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(screen->bottomString(), std::nullopt);
    EXPECT_EQ(screen->activityIndicator(), nullptr);

    fake.clock.advance(0.5);
    scanPermit("P?type=1&ipno=A100");
    fake.clock.advance(3.0);
    EXPECT_EQ(uploads, (std::vector<OpenedUpload>{{"A100", "C2024001", "安全檢查"}}));
}

TEST_F(CheckStart, TheWindowTakesNoInputWhileTheResultShows) {
    load();
    scanRegistration("A100,C2024001");
    fake.clock.advance(0.5);
    scanPermit("P?type=1&ipno=B200");
    QPushButton* back = navigation->navigationBar()->backButton();
    for (double step : {0.0, 1.0, 1.2, 0.3, 0.4}) { // until 2.9 s
        fake.clock.advance(step);
        QTest::mouseClick(screen->topButton, Qt::LeftButton);
        QTest::mouseClick(back, Qt::LeftButton);
        QTest::keyClick(screen->topButton, Qt::Key_Space);
        EXPECT_TRUE(fake.camera.pendingAccess.empty());
        EXPECT_EQ(top(), screen);
    }
    fake.clock.advance(0.1);
    ASSERT_EQ(screen->topString(), std::nullopt) << "the result has ended";
    QTest::mouseClick(screen->topButton, Qt::LeftButton);
    EXPECT_EQ(fake.camera.pendingAccess.size(), 1u);
}

TEST_F(CheckStart, LeavingTheReaderWithoutACodeKeepsTheCodesHeld) {
    load();
    scanRegistration("A100,C2024001");
    for (ImageButton* button : {screen->bottomButton, screen->topButton}) {
        ASSERT_NE(tap(button), nullptr);
        navigation->navigationBar()->backButton()->click();
        fake.clock.advance(1.0);
        EXPECT_EQ(top(), screen);
        EXPECT_EQ(screen->topString(), "A100,C2024001");
        EXPECT_EQ(screen->activityIndicator(), nullptr);
    }
}

TEST_F(CheckStart, EachAppearanceMovesInlinePhotosIntoPhotoFiles) {
    CaseList& cases = PublicVars::sharedInstance().getWaitingStoreArray();
    cases.append(testCase("A1", "C1"));
    load();
    ASSERT_TRUE(cases[0]->photoId.has_value());
    EXPECT_FALSE(cases[0]->hasInlinePhotos());
    EXPECT_FALSE(PublicVars::sharedInstance().getPhoto(cases[0]->photoId).isEmpty());

    cases.append(testCase("A2", "C2"));
    ASSERT_NE(tap(screen->topButton), nullptr);
    navigation->popViewControllerAnimated(true);
    EXPECT_TRUE(cases[1]->photoId.has_value());
}

struct DeviceCase {
    const char* name;
    bool tablet;
    QSizeF size;
    QRect square;
    QRect banner;
};

void PrintTo(const DeviceCase& c, std::ostream* os) {
    *os << c.name;
}

class ResultBox : public CheckStart, public testing::WithParamInterface<DeviceCase> {};

TEST_P(ResultBox, GrowsFromItsSquareToTheBanner) {
    fake.device.tablet = GetParam().tablet;
    fake.device.size = GetParam().size;
    load();
    EXPECT_EQ(screen->checkView->geometry(), GetParam().square);
    EXPECT_EQ(screen->checkView->cornerRadius(), GetParam().tablet ? 30 : 18);
    scanRegistration("A100,F1");
    fake.clock.advance(2.5);
    EXPECT_EQ(screen->checkView->geometry(), GetParam().banner);
    EXPECT_EQ(screen->equalResult_lab->geometry(), QRect(QPoint(0, 0), GetParam().banner.size()));
    // Every view lies inside the screen's area below the bars.
    const QRect area(0, 0, int(GetParam().size.width()), int(GetParam().size.height()) - 64);
    for (QWidget* view : std::initializer_list<QWidget*>{screen->topButton, screen->bottomButton,
                                                         screen->note_lab, screen->centerView})
        EXPECT_TRUE(area.contains(view->geometry())) << view->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Devices, ResultBox,
    testing::Values(DeviceCase{"Phone", false, {320, 568}, {130, 50, 60, 60}, {15, 50, 290, 60}},
                    DeviceCase{
                        "SmallPhone", false, {320, 480}, {130, 41, 60, 60}, {15, 41, 290, 60}},
                    DeviceCase{"Tablet", true, {768, 1024}, {334, 85, 100, 90}, {84, 85, 600, 90}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
