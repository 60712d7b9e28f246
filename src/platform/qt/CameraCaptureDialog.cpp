#include "platform/qt/CameraCaptureDialog.h"

#include "platform/Platform.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoFrame>

namespace {

// The quality a phone camera writes its photos at.
constexpr int kCameraJpegQuality = 95;

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

CameraCaptureDialog::CameraCaptureDialog(const QCameraDevice& device, Done done, QWidget* parent)
    : QDialog(parent), done_(std::move(done)), viewfinder_(new QLabel(this)),
      shutter_(new QPushButton(QStringLiteral("拍照"), this)), camera_(device) {
    setObjectName(QStringLiteral("cameraCapture"));
    setWindowTitle(QStringLiteral("相機"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);
    viewfinder_->setMinimumSize(320, 240);
    viewfinder_->setAlignment(Qt::AlignCenter);
    viewfinder_->setStyleSheet(QStringLiteral("background: black;"));
    shutter_->setObjectName(QStringLiteral("shutter"));
    shutter_->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(shutter_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(viewfinder_, 1);
    layout->addLayout(buttons);

    session_.setCamera(&camera_);
    session_.setImageCapture(&capture_);
    session_.setVideoSink(&sink_);
    connect(&sink_, &QVideoSink::videoFrameChanged, this, &CameraCaptureDialog::showFrame);
    connect(&capture_, &QImageCapture::readyForCaptureChanged, shutter_, &QWidget::setEnabled);
    connect(shutter_, &QPushButton::clicked, this, [this] {
        shutter_->setEnabled(false);
        capture_.capture();
    });
    connect(&capture_, &QImageCapture::imageCaptured, this,
            [this](int, const QImage& photo) { captured(photo); });
    connect(&capture_, &QImageCapture::errorOccurred, this,
            [this](int, QImageCapture::Error, const QString& text) {
                logLine(QStringLiteral("camera capture error: %1").arg(text));
                finish(std::nullopt);
            });
    connect(&camera_, &QCamera::errorOccurred, this, [this](QCamera::Error, const QString& text) {
        logLine(QStringLiteral("camera error: %1").arg(text));
        finish(std::nullopt);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(std::nullopt); });
    // Closing the window is a cancel.
    connect(this, &QDialog::rejected, this, [this] { finish(std::nullopt); });
    camera_.start();
}

void CameraCaptureDialog::showFrame(const QVideoFrame& frame) {
    const QImage image = frame.toImage();
    if (image.isNull()) return;
    viewfinder_->setPixmap(QPixmap::fromImage(
        image.scaled(viewfinder_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void CameraCaptureDialog::captured(const QImage& photo) {
    std::optional<QByteArray> jpeg = jpegOf(photo);
    if (!jpeg) logLine(QStringLiteral("camera photo could not be encoded"));
    finish(std::move(jpeg));
}

void CameraCaptureDialog::finish(std::optional<QByteArray> jpeg) {
    if (!done_) return;
    Done done = std::move(done_);
    done_ = nullptr;
    camera_.stop();
    close();
    done(std::move(jpeg));
}
