#include "platform/qt/CameraPickerView.h"

#include "platform/Platform.h"
#include "platform/qt/SharedCamera.h"

#include <QApplication>
#include <QBuffer>
#include <QEvent>
#include <QGridLayout>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The preview is redrawn at most this often, whatever the camera's rate.
constexpr int kPreviewMs = 66;
// The picker's own size where it has no app window to cover.
constexpr QSize kPhoneSize(320, 568);
constexpr int kButtonBarHeight = 96;

QPushButton* pickerButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // The picker keeps the keyboard: Space on a focused "取消" must not cancel.
    button->setFocusPolicy(Qt::NoFocus);
    button->setFlat(true);
    return button;
}

// The quality a phone camera writes its photos at.
constexpr int kCameraJpegQuality = 95;
// Larger than any camera's frame: the camera's format nearest to it is its
// largest.
constexpr QSize kLargestFormat(1 << 15, 1 << 15);

std::optional<QByteArray> jpegOf(const QImage& photo) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kCameraJpegQuality);
    if (!writer.write(photo)) return std::nullopt;
    return bytes;
}

} // namespace

CameraPickerView::CameraPickerView(const QCameraDevice& device, QWidget* window, Done done)
    : QWidget(window), done_(std::move(done)), device_(device), preview_(new QLabel(this)),
      shutter_(pickerButton(QStringLiteral("shutterButton"), QStringLiteral("拍照"), this)),
      cancel_(pickerButton(QStringLiteral("cancelButton"), QStringLiteral("取消"), this)),
      retake_(pickerButton(QStringLiteral("retakeButton"), QStringLiteral("重拍"), this)),
      use_(pickerButton(QStringLiteral("usePhotoButton"), QStringLiteral("使用照片"), this)) {
    setObjectName(QStringLiteral("cameraPicker"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_StyledBackground);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(QStringLiteral(
        "#cameraPicker { background: black; }"
        "QPushButton { color: white; font-size: 17px; padding: 8px 12px; border: none; }"
        "#shutterButton { color: black; background: white; border: 4px solid #9a9a9a;"
        "  border-radius: 34px; min-width: 60px; max-width: 60px; min-height: 60px;"
        "  max-height: 60px; padding: 0; font-size: 15px; }"
        "#shutterButton:disabled { color: #9a9a9a; }"));
    preview_->setObjectName(QStringLiteral("cameraPreview"));
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setMinimumSize(1, 1);
    preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    buildButtons();
    showStill(QImage());
    shutter_->setEnabled(false);

    connectCamera();

    if (window) {
        window->installEventFilter(this);
        setGeometry(window->rect());
    } else {
        resize(kPhoneSize);
    }
    focusBefore_ = window ? window->focusWidget() : nullptr;
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    firstFrame_.start();
    SharedCamera::instance().use(device_, kLargestFormat).start();
}

void CameraPickerView::connectCamera() {
    // The sink may report from the camera's thread: the context object brings
    // each frame over to the main thread.
    SharedCamera& camera = SharedCamera::instance();
    connect(&camera.sink(), &QVideoSink::videoFrameChanged, this, &CameraPickerView::takeFrame);
    connect(&camera.camera(), &QCamera::errorOccurred, this,
            [this](QCamera::Error, const QString& text) {
                cameraLost(QStringLiteral("camera error: %1").arg(text));
            });
    connect(&devices_, &QMediaDevices::videoInputsChanged, this, [this] {
        if (!QMediaDevices::videoInputs().contains(device_))
            cameraLost(QStringLiteral("camera %1 went away").arg(device_.description()));
    });
    firstFrame_.setSingleShot(true);
    firstFrame_.setInterval(kFirstFrameMs);
    connect(&firstFrame_, &QTimer::timeout, this, [this] {
        cameraLost(QStringLiteral("camera %1 showed no picture within %2 s")
                       .arg(device_.description())
                       .arg(kFirstFrameMs / 1000));
    });
    connect(shutter_, &QPushButton::clicked, this, &CameraPickerView::shoot);
    connect(cancel_, &QPushButton::clicked, this, [this] { finish(std::nullopt); });
    connect(retake_, &QPushButton::clicked, this, [this] { showStill(QImage()); });
    connect(use_, &QPushButton::clicked, this, [this] { finish(shot_); });
}

void CameraPickerView::buildButtons() {
    // Three columns of equal sides, so that the shutter stands in the middle;
    // as high for the still as for the preview, so that the picture stays put.
    auto* buttons = new QWidget(this);
    buttons->setFixedHeight(kButtonBarHeight);
    auto* bar = new QGridLayout(buttons);
    bar->setContentsMargins(12, 10, 12, 14);
    bar->setColumnStretch(0, 1);
    bar->setColumnStretch(2, 1);
    bar->addWidget(cancel_, 0, 0, Qt::AlignLeft);
    bar->addWidget(retake_, 0, 0, Qt::AlignLeft);
    bar->addWidget(shutter_, 0, 1, Qt::AlignCenter);
    bar->addWidget(use_, 0, 2, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(preview_, 1);
    layout->addWidget(buttons);
}

void CameraPickerView::showStill(const QImage& still) {
    const bool shot = !still.isNull();
    cancel_->setVisible(!shot);
    shutter_->setVisible(!shot);
    retake_->setVisible(shot);
    use_->setVisible(shot);
    if (shot)
        showPicture(still);
    else
        shot_.clear();
}

void CameraPickerView::showPicture(const QImage& picture) {
    preview_->setPixmap(QPixmap::fromImage(
        picture.scaled(preview_->size(), Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void CameraPickerView::takeFrame(const QVideoFrame& frame) {
    if (!done_) return;
    latest_ = frame;
    if (framePending_ || !shot_.isEmpty()) return;
    framePending_ = true;
    QTimer::singleShot(kPreviewMs, this, &CameraPickerView::showLatestFrame);
}

void CameraPickerView::showLatestFrame() {
    framePending_ = false;
    if (!shot_.isEmpty() || !latest_.isValid()) return;
    QImage picture = latest_.toImage();
    latest_ = QVideoFrame();
    if (picture.isNull()) return;
    firstFrame_.stop();
    shown_ = std::move(picture);
    shutter_->setEnabled(true);
    showPicture(shown_);
}

void CameraPickerView::shoot() {
    if (!shutter_->isVisible() || shown_.isNull()) return;
    std::optional<QByteArray> jpeg = jpegOf(shown_);
    if (!jpeg) return cameraLost(QStringLiteral("camera photo could not be encoded"));
    shot_ = std::move(*jpeg);
    showStill(shown_);
}

void CameraPickerView::keyPressEvent(QKeyEvent* event) {
    const bool still = !shot_.isEmpty();
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (still)
            use_->click();
        else
            shutter_->click();
        return;
    case Qt::Key_Escape:
        if (still)
            retake_->click();
        else
            cancel_->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool CameraPickerView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void CameraPickerView::cameraLost(const QString& why) {
    if (!done_) return;
    logLine(why);
    Alert alert;
    alert.title = QStringLiteral("相機無法使用");
    alert.message = QStringLiteral("相機已中斷連線, 未拍下照片");
    alert.cancelTitle = QStringLiteral("知道了");
    finish(std::nullopt);
    platform().alerts->present(std::move(alert));
}

void CameraPickerView::finish(std::optional<QByteArray> jpeg) {
    if (!done_) return;
    Done done = std::move(done_);
    done_ = nullptr;
    firstFrame_.stop();
    // The camera is the process's: the reader uses it next.
    SharedCamera& camera = SharedCamera::instance();
    disconnect(&camera.sink(), nullptr, this, nullptr);
    disconnect(&camera.camera(), nullptr, this, nullptr);
    camera.camera().stop();
    if (parentWidget()) parentWidget()->removeEventFilter(this);
    close();
    if (focusBefore_) focusBefore_->setFocus(Qt::OtherFocusReason);
    done(std::move(jpeg));
}
