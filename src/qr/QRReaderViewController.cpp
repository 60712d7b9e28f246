#include "qr/QRReaderViewController.h"

#include "platform/NoCameraOffer.h"
#include "platform/Platform.h"
#include "qr/PictureFiles.h"
#include "qr/QRReaderViews.h"
#include "qr/QrPreviewView.h"
#include "qr/ScanLayout.h"
#include "qr/VideoFrame.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

constexpr double kSweepPeriod = 3.0;
constexpr double kSweepDuration = 2.95;
// The beep lasts a fraction of a second; should its end never be reported,
// reading goes on after this long rather than hanging.
constexpr double kBeepLimit = 2.0;
const QString kBeep = QStringLiteral("Beep.wav");

bool isCameraRefused() {
    const AuthorizationStatus status = platform().cameraAccess->authorizationStatus();
    return status == AuthorizationStatus::Restricted || status == AuthorizationStatus::Denied;
}

} // namespace

QRReaderViewController::QRReaderViewController() = default;

QRReaderViewController::~QRReaderViewController() {
    for (const auto& timer : {scanLineTimer_, appearTimer_, beepLimit_})
        if (timer) platform().loop->cancel(*timer);
}

bool QRReaderViewController::hasFlash() const {
    return session_ && session_->hasTorch();
}

void QRReaderViewController::viewDidLoad() {
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    resize(platform().device->screenSize().toSize());

    QString cameraError = QStringLiteral("no camera service");
    if (QrCaptureFactory* factory = platform().qrCapture) session_ = factory->create(cameraError);
    if (hasFlash()) {
        lightButton_ = makeLightButton(this);
        connect(lightButton_, &QPushButton::clicked, this, [this] { lightTurn(); });
        setRightBarButton(lightButton_);
    }
    initViewAndSubViews(cameraError);
}

void QRReaderViewController::initViewAndSubViews(const QString& cameraError) {
    if (!session_) {
        logLine(QStringLiteral("設備無攝影鏡頭 %1").arg(cameraError));
        return;
    }
    buildScanViews();
}

void QRReaderViewController::buildScanViews() {
    const QSizeF screen = platform().device->screenSize();
    const bool tablet = platform().device->isTablet();
    const ScanLayout layout = scanLayoutFor(screen);
    session_->setRegionOfInterest(layout.regionOfInterest);
    session_->onFrame = [this](const QImage& frame) { didOutputFrame(frame); };
    session_->onCodes = [this](const QStringList& codes) { didOutputCodes(codes); };

    previewLayer_ = new QrPreviewView(this);
    previewLayer_->setGeometry(rect());
    const ScanViews scan = addScanViews(this, layout, tablet);
    infoLabel_ = scan.infoLabel;
    scanLineImageView_ = scan.scanLineImageView;
    sweep_ = std::make_unique<ScanLineSweep>(scanLineImageView_);
    if (hasFoot) {
        const FootViews foot = addFootViews(this, footLayoutFor(screen, tablet));
        footView_ = foot.footView;
        footLabel_ = foot.footLabel;
        footBtn_ = foot.footBtn;
        connect(footBtn_, &QPushButton::clicked, this, [this] { footButtonTapped(); });
    }
}

void QRReaderViewController::viewWillAppear(bool animated) {
    Q_UNUSED(animated);
    onScreen_ = true;
    if (previewLayer_) previewLayer_->setGeometry(rect());
    if (session_) session_->start();
    // What follows the appearance runs once the screen is in place.
    if (appearTimer_) platform().loop->cancel(*appearTimer_);
    appearTimer_ = platform().loop->after(0, [this] {
        appearTimer_.reset();
        viewDidAppear();
    });
}

void QRReaderViewController::viewDidAppear() {
    if (!onScreen_) return;
    if (isCameraRefused()) {
        AlertView(QStringLiteral("檢核錯誤"),
                  QStringLiteral("無權限使用「相機」功能, 請於[設定] > [隱私權]內授權開啟相機功能"),
                  nullptr, QStringLiteral("知道了"))
            .show();
        leaveStack();
        return;
    }
    if (!session_ && !pictureOffered_) {
        pictureOffered_ = true;
        offerPicture();
    }
    startSweeps();
    if (hasFlash()) flashSwitch(false);
}

void QRReaderViewController::startSweeps() {
    if (scanLineTimer_ || !sweep_) return;
    moveUpAndDownLine();
    createTimer();
}

void QRReaderViewController::offerPicture() {
    const PictureOffer offer{QStringLiteral("可改從圖片檔讀取QR Code"),
                             QStringLiteral("選擇圖片檔"), QStringLiteral("選擇QR Code圖片"),
                             QStringLiteral("圖片 (%1)").arg(pictureFilePatterns().join(u' '))};
    QPointer<QRReaderViewController> self(this);
    offerPictureForCamera(offer, [self](std::optional<QString> path) {
        if (self) self->readFromPicture(path);
    });
}

// The chosen picture stands in for the camera: the square, the sweep and the
// reading run as they do on camera frames.
void QRReaderViewController::readFromPicture(const std::optional<QString>& path) {
    if (!path || !onScreen_) {
        leaveStack();
        return;
    }
    QString error = QStringLiteral("no camera service");
    if (QrCaptureFactory* factory = platform().qrCapture)
        session_ = factory->createShowing(*path, error);
    if (!session_) {
        logLine(error);
        AlertView(QStringLiteral("圖片無法使用"), QStringLiteral("選擇的檔案無法讀取為圖片"),
                  nullptr, QStringLiteral("知道了"))
            .show();
        leaveStack();
        return;
    }
    buildScanViews();
    // Views made after the screen was shown show as Qt would have shown them then.
    for (QWidget* view : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!view->testAttribute(Qt::WA_WState_ExplicitShowHide)) view->show();
    session_->start();
    startSweeps();
}

void QRReaderViewController::viewWillDisappear(bool animated) {
    onScreen_ = false;
    if (session_) session_->stop();
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
}

void QRReaderViewController::createTimer() {
    scanLineTimer_ = platform().loop->after(kSweepPeriod, [this] {
        moveUpAndDownLine();
        createTimer();
    });
}

void QRReaderViewController::moveUpAndDownLine() {
    if (!sweep_) return;
    const SweepPath path = sweepPathFor(size(), scanLineImageView_->height());
    sweep_->run(path.top, path.bottom, kSweepDuration);
}

void QRReaderViewController::didOutputFrame(const QImage& frame) {
    if (waitingForBeep_) return;
    scanImage_ = imageFromSampleBuffer(frame);
    if (previewLayer_) previewLayer_->setImage(scanImage_);
}

void QRReaderViewController::didOutputCodes(const QStringList& codes) {
    if (codes.isEmpty() || waitingForBeep_ || delivered_) return;
    const QString text = codes.first();
    if (scanValue_ == text) return;
    scanValue_ = text;
    hasScan_ = true;
    session_->stop();
    waitForBeep();
}

void QRReaderViewController::waitForBeep() {
    waitingForBeep_ = true;
    // The sound may end after the screen has gone.
    QPointer<QRReaderViewController> self(this);
    auto ended = [self] {
        if (self) self->beepEnded();
    };
    if (!platform().sound->play(kBeep, ended)) {
        beepEnded();
        return;
    }
    if (waitingForBeep_) beepLimit_ = platform().loop->after(kBeepLimit, ended);
}

void QRReaderViewController::beepEnded() {
    // The sound's end and the time limit both come here; the first one counts.
    if (!waitingForBeep_) return;
    waitingForBeep_ = false;
    if (beepLimit_) platform().loop->cancel(*beepLimit_);
    beepLimit_.reset();
    // Left by the back button while the beep played: nothing is delivered.
    if (!onScreen_) return;
    qrcodeScanImage_ = scanImage_;
    if (!hasFoot) {
        callDidFinishedReadingQRWithScanImage(*scanValue_, qrcodeScanImage_);
        return;
    }
    const QStringList fields = scanValue_->split(QLatin1Char(','));
    if (fields.size() == 2) footLabel_->setText(QStringLiteral("設備編號：%1").arg(fields[0]));
    session_->start();
}

void QRReaderViewController::footButtonTapped() {
    if (waitingForBeep_) return;
    if (session_) session_->stop();
    if (!hasScan_) return;
    callDidFinishedReadingQRWithScanImage(*scanValue_, qrcodeScanImage_);
}

void QRReaderViewController::callDidFinishedReadingQRWithScanImage(const QString& text,
                                                                   const QImage& image) {
    if (delivered_) return;
    delivered_ = true;
    if (previewLayer_) {
        previewLayer_->hide();
        previewLayer_->deleteLater();
        previewLayer_ = nullptr;
    }
    if (auto* withImage = dynamic_cast<QRReaderViewControllerScanImageDelegate*>(delegate))
        withImage->didFinishedReadingQRWithScanImage(text, image);
    else if (delegate)
        delegate->didFinishedReadingQR(text);
    leaveStack();
}

void QRReaderViewController::callDidFinishedReadingQR(const QString& text) {
    callDidFinishedReadingQRWithScanImage(text, QImage());
}

void QRReaderViewController::leaveStack() {
    // The delegate may already have taken the reader off its stack, or put
    // another screen above it; only the reader itself leaves.
    NavigationController* navigation = navigationController();
    if (!navigation) return;
    if (navigation->topViewController() == this)
        navigation->popViewControllerAnimated(true);
    else
        navigation->removeViewController(this);
}

void QRReaderViewController::lightTurn() {
    if (waitingForBeep_ || !flashSwitch(!lightState_)) return;
    lightState_ = !lightState_;
    showTorchNextState(lightButton_, lightState_);
}

bool QRReaderViewController::flashSwitch(bool on) {
    if (!session_) return false;
    if (const std::optional<QString> error = session_->setTorch(on)) {
        logLine(QStringLiteral("lock torch configuration error: %1").arg(*error));
        return false;
    }
    return true;
}
