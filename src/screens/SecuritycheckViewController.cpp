#include "screens/SecuritycheckViewController.h"

#include "platform/CameraAccessRequest.h"
#include "platform/Platform.h"
#include "qr/QRReaderViewController.h"
#include "store/PublicVars.h"
#include "ui/AlertView.h"
#include "ui/FrameAnimation.h"
#include "ui/NavigationController.h"
#include "ui/ProgressOverlay.h"
#include "ui/WindowInputBlock.h"
#include "util/PublicFunction.h"
#include "util/SystemFont.h"
#include "widgets/AnimateView.h"
#include "widgets/ImageButton.h"

#include <QLabel>

namespace {

const QString kTopImage = QStringLiteral(":/qrcodeButton2.png");
const QString kBottomImage = QStringLiteral(":/qrcodeButton1.png");
const QString kScanFrame = QStringLiteral(":/whiteFrame.png");
const QString kArrowImage = QStringLiteral(":/scanArrow.png");
const QString kNote = QStringLiteral("① 點選上方圖示，掃描檢查/維護登記碼\n"
                                     "② 點選下方圖示，掃描設備使用許可證\n"
                                     "（檢查編號以 F 開頭者免掃許可證）");
const QString kMatchColour = QStringLiteral("99CC00FF");
const QString kMismatchColour = QStringLiteral("FF4444FF");
const QString kMatchText = QStringLiteral("確認正確");
const QString kMismatchText =
    QStringLiteral("這不是登記碼指定要檢查的設備\n請確認後再重新掃描一次");

// A permit delivery is taken again this long after the screen appeared.
constexpr double kSuccessDelay = 0.5;
// The result sequence: waiting, the box growing to a banner, the banner.
constexpr double kResultDelay = 2.0;
constexpr double kGrowSeconds = 0.5;
constexpr double kBannerSeconds = 0.5;
constexpr int kScanPictureSide = 1000;
constexpr int kScanPictureRadius = 20;

// The alerts of this screen: one button, no handler.
void showAlert(const QString& title, const QString& message) {
    AlertView(title, message, nullptr, QStringLiteral("知道了")).show();
}

// The camera frame a code was read in, as the scan image shows it.
QImage scanPicture(const QImage& frame) {
    const QImage shrunk = PublicFunction::imageByShrinkingWithWidthWithHeight(
        frame, kScanPictureSide, kScanPictureSide);
    const QImage framed = PublicFunction::addBorderToImageFrameImage(shrunk, QImage(kScanFrame));
    return PublicFunction::imageByCornerRadiusWithRadius(framed, kScanPictureRadius);
}

QLabel* makeLabel(QWidget* parent, const QString& name, int fontSize) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setFont(systemFont(fontSize));
    return label;
}

} // namespace

SecuritycheckViewController::SecuritycheckViewController(const QString& layoutName)
    : ViewController(layoutName) {}

SecuritycheckViewController::~SecuritycheckViewController() = default;

std::optional<QString> SecuritycheckViewController::topString() const {
    if (!start_.registrationCode()) return std::nullopt;
    return start_.registrationCode()->text;
}

void SecuritycheckViewController::viewDidLoad() {
    start_.acceptPermits();
    setTitle(QStringLiteral("檢查設備確認"));
    setBackBarButtonTitle(QStringLiteral("返回"));
    buildLayout();
    connect(topButton, &QAbstractButton::clicked, this, [this] { topButtonPressed(); });
    connect(bottomButton, &QAbstractButton::clicked, this, [this] { bottomButtonPressed(); });
}

void SecuritycheckViewController::buildLayout() {
    layout_ = securitycheckLayoutFor(platform().device->isTablet(),
                                     PublicVars::sharedInstance().is3Inch5());
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    note_lab = makeLabel(this, QStringLiteral("note_lab"), layout_.noteFontSize);
    note_lab->setGeometry(layout_.noteLabel);
    note_lab->setText(kNote);
    centerView = new QLabel(this);
    centerView->setObjectName(QStringLiteral("centerView"));
    centerView->setGeometry(layout_.centerView);
    centerView->setAlignment(Qt::AlignCenter);
    centerView->setPixmap(
        QPixmap(kArrowImage)
            .scaled(layout_.centerView.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    topButton = new ImageButton(this);
    topButton->setObjectName(QStringLiteral("topButton"));
    topButton->setGeometry(layout_.topButton);
    bottomButton = new ImageButton(this);
    bottomButton->setObjectName(QStringLiteral("bottomButton"));
    bottomButton->setGeometry(layout_.bottomButton);
    resetScan();

    checkView = new AnimateView(this);
    checkView->setObjectName(QStringLiteral("checkView"));
    checkView->setGeometry(layout_.checkSquare);
    checkView->raise();
    checkViewAnimation_ = std::make_unique<FrameAnimation>(checkView);
    equalResult_lab =
        makeLabel(checkView, QStringLiteral("equalResult_lab"), layout_.resultFontSize);
    QPalette onColour = equalResult_lab->palette();
    onColour.setColor(QPalette::WindowText, Qt::white);
    equalResult_lab->setPalette(onColour);
    equalResult_lab->hide();
}

void SecuritycheckViewController::viewWillAppear(bool animated) {
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    PublicVars::sharedInstance().transPhotoInDictionary();
    afterDelay(kSuccessDelay, [this] { changeSuccess(); });
}

void SecuritycheckViewController::changeSuccess() {
    start_.acceptPermits();
}

void SecuritycheckViewController::topButtonPressed() {
    isTopQRCode_ = true;
    gotoTopQRcodeView();
    if (note_lab->isHidden()) showStartingLook();
}

void SecuritycheckViewController::showStartingLook() {
    equalResult_lab->hide();
    note_lab->show();
    centerView->show();
    setCheckViewColour(std::nullopt);
    checkView->setGeometry(layout_.checkSquare);
}

void SecuritycheckViewController::bottomButtonPressed() {
    if (!start_.registrationCode()) {
        showAlert(QStringLiteral("資料檢核錯誤"), QStringLiteral("請先掃描檢查/維護登記碼"));
        return;
    }
    isTopQRCode_ = false;
    gotoBottomQRcodeView();
}

void SecuritycheckViewController::gotoTopQRcodeView() {
    openReader(true);
}

void SecuritycheckViewController::gotoBottomQRcodeView() {
    openReader(false);
}

void SecuritycheckViewController::openReader(bool top) {
    requestCameraAccess(this, [this, top](bool granted) {
        if (!granted) {
            showAlert(QStringLiteral("檢核錯誤"),
                      QStringLiteral("無權限使用「相機」功能, "
                                     "請於[設定] > [隱私權]內授權開啟相機功能"));
            return;
        }
        // A second tap before the first reader came would open a second one.
        NavigationController* navigation = navigationController();
        if (!navigation || navigation->topViewController() != this) return;
        auto* reader = new QRReaderViewController;
        reader->delegate = this;
        reader->setTitle(top ? QStringLiteral("登記碼掃描") : QStringLiteral("許可證掃描"));
        reader->hasFoot = top;
        navigation->pushViewController(reader, true);
    });
}

void SecuritycheckViewController::didFinishedReadingQR(const QString& text) {
    didFinishedReadingQRWithScanImage(text, QImage());
}

void SecuritycheckViewController::didFinishedReadingQRWithScanImage(const QString& text,
                                                                    const QImage& scanImage) {
    if (isTopQRCode_)
        showScanStep(start_.takeRegistrationCode(text), topButton, scanImage);
    else
        showScanStep(start_.takePermit(text), bottomButton, scanImage);
}

void SecuritycheckViewController::showScanStep(CheckStart::Step step, ImageButton* button,
                                               const QImage& scanImage) {
    using Step = CheckStart::Step;
    switch (step) {
    case Step::PermitsPaused:
        return;
    case Step::NotARegistrationCode:
        showAlert(QStringLiteral("登記碼掃描錯誤"),
                  QStringLiteral("掃描的QRcode並非檢查/維護登記碼"));
        return;
    case Step::AlreadyPhotographed:
        showAlert(QStringLiteral("資料檢核錯誤"),
                  QStringLiteral("此登記碼已完成安檢拍照作業, 欲增減照片請至紀錄上傳功能操作"));
        return;
    case Step::NotAPermit:
        // Permits stay refused until the screen has been shown again.
        showAlert(QStringLiteral("許可證掃描錯誤"),
                  QStringLiteral("掃描的QRcode並非設備使用許可證條碼"));
        return;
    default:
        button->setImage(scanPicture(scanImage));
        removeReader();
        if (step != Step::Held) startAnimate(step == Step::Match);
    }
}

void SecuritycheckViewController::removeReader() {
    // Taken off here, the reader finds itself on no stack and does not pop.
    NavigationController* navigation = navigationController();
    if (!navigation) return;
    if (auto* reader = qobject_cast<QRReaderViewController*>(navigation->topViewController()))
        navigation->removeViewController(reader);
}

void SecuritycheckViewController::startAnimate(bool match) {
    touchesOff_ = std::make_unique<WindowInputBlock>(window());
    equalResult_lab->hide();
    note_lab->hide();
    centerView->hide();
    setCheckViewColour(std::nullopt);
    if (activityIndicator_) activityIndicator_->hideOverlay();
    activityIndicator_ =
        ProgressOverlay::showOver(checkView, QString(), ProgressOverlay::Box::Transparent);
    const QColor colour =
        PublicFunction::colorWithHexString(match ? kMatchColour : kMismatchColour);
    const QString text = match ? kMatchText : kMismatchText;
    afterDelay(kResultDelay, [this, colour, text, match] { showResult(colour, text, match); });
}

void SecuritycheckViewController::showResult(const QColor& colour, const QString& text,
                                             bool match) {
    if (activityIndicator_) activityIndicator_->hideOverlay();
    activityIndicator_ = nullptr;
    setCheckViewColour(colour);
    checkViewAnimation_->run(checkView->geometry(), layout_.resultBanner, kGrowSeconds,
                             [this, text, match] {
                                 equalResult_lab->setGeometry(checkView->rect());
                                 equalResult_lab->setText(text);
                                 equalResult_lab->show();
                                 afterDelay(kBannerSeconds, [this, match] {
                                     if (match)
                                         gotoUploadView();
                                     else
                                         resetScan();
                                     touchesOff_.reset();
                                 });
                             });
}

void SecuritycheckViewController::setCheckViewColour(const std::optional<QColor>& colour) {
    checkView->setAutoFillBackground(colour.has_value());
    if (!colour) return;
    QPalette filled = checkView->palette();
    filled.setColor(QPalette::Window, *colour);
    checkView->setPalette(filled);
}

void SecuritycheckViewController::resetScan() {
    start_.reset();
    topButton->setImage(QImage(kTopImage));
    bottomButton->setImage(QImage(kBottomImage));
}

void SecuritycheckViewController::gotoUploadView() {
    NavigationController* navigation = navigationController();
    const std::optional<RegistrationCode>& code = start_.registrationCode();
    if (!navigation || !code || !makeUploadScreen) return;
    ViewController* upload = makeUploadScreen(code->pakeno, code->Chkno, start_.checkType());
    // The photo screen takes this screen's place: leaving it leads to the
    // screen below. Pushed first, so that screen does not show in between.
    navigation->pushViewController(upload, true);
    navigation->removeViewController(this);
}

void SecuritycheckViewController::afterDelay(double seconds, std::function<void()> fn) {
    QPointer<SecuritycheckViewController> self(this);
    platform().loop->after(seconds, [self, fn = std::move(fn)] {
        if (self) fn();
    });
}
