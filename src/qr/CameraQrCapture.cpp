#include "qr/CameraQrCapture.h"

#include "platform/Platform.h"
#include "platform/qt/SharedCamera.h"
#include "qr/VideoFrame.h"

#include <QCamera>
#include <QCameraDevice>
#include <QVideoFrame>

namespace {

constexpr qint64 kFrameMs = qint64(kVideoFrameInterval * 1000);

} // namespace

CameraQrCapture::CameraQrCapture(const QCameraDevice& device)
    : camera_(SharedCamera::instance().use(device, kVideoFrameSize)) {
    connect(&camera_, &QCamera::errorOccurred, this, [](QCamera::Error, const QString& text) {
        logLine(QStringLiteral("camera error: %1").arg(text));
    });
    stallCheck_.setInterval(kStallMs / 2);
    connect(&stallCheck_, &QTimer::timeout, this, &CameraQrCapture::checkStall);
    clock_.start();
}

CameraQrCapture::~CameraQrCapture() {
    stop();
}

bool CameraQrCapture::failed() const {
    return camera_.error() != QCamera::NoError;
}

QString CameraQrCapture::errorText() const {
    return camera_.errorString();
}

bool CameraQrCapture::hasTorch() const {
    return camera_.isTorchModeSupported(QCamera::TorchOn);
}

std::optional<QString> CameraQrCapture::setTorch(bool on) {
    if (!hasTorch()) return FrameQrCapture::setTorch(on);
    const QCamera::TorchMode wanted = on ? QCamera::TorchOn : QCamera::TorchOff;
    camera_.setTorchMode(wanted);
    if (camera_.torchMode() != wanted) return QStringLiteral("the camera kept its torch as it was");
    return std::nullopt;
}

void CameraQrCapture::startFrames() {
    startMs_ = nextFrameMs_ = lastFrameMs_ = clock_.elapsed();
    restarted_ = false;
    // The sink may report from the camera's thread; the context object brings
    // each frame over to the main thread.
    connect(&SharedCamera::instance().sink(), &QVideoSink::videoFrameChanged, this,
            &CameraQrCapture::take);
    camera_.start();
    stallCheck_.start();
}

void CameraQrCapture::stopFrames() {
    stallCheck_.stop();
    disconnect(&SharedCamera::instance().sink(), nullptr, this, nullptr);
    camera_.stop();
}

void CameraQrCapture::checkStall() {
    const qint64 quiet = clock_.elapsed() - lastFrameMs_;
    if (!isRunning() || quiet < kStallMs || restarted_) return;
    // QtMultimedia 6.4 on GStreamer at times stops handing out frames after
    // the main thread was held up; a restart brings them back.
    restarted_ = true;
    logLine(QStringLiteral("camera gave no frame for %1 ms; restarting it").arg(quiet));
    camera_.stop();
    camera_.start();
    lastFrameMs_ = clock_.elapsed();
}

void CameraQrCapture::take(const QVideoFrame& frame) {
    const qint64 now = clock_.elapsed();
    if (!isRunning() || !frame.isValid()) return;
    lastFrameMs_ = now;
    restarted_ = false;
    // A camera that was stopped hands out the last frame it had (and any
    // still on the way) first when it starts again: what it saw at its last
    // opening.
    if (now - startMs_ < kSettleMs || now < nextFrameMs_) return;
    // Keep to the beat of two frames a second; after a stall start afresh
    // rather than hurrying to catch up.
    nextFrameMs_ = now - nextFrameMs_ > kFrameMs ? now + kFrameMs : nextFrameMs_ + kFrameMs;
    // A webcam stands landscape, a phone's camera lies a quarter turn off;
    // the frame says which, and the picture is kept upright either way.
    const QImage image =
        videoFrameFromCamera(frame.toImage(), frame.rotationAngle(), frame.mirrored());
    if (!image.isNull()) deliverFrame(image);
}
