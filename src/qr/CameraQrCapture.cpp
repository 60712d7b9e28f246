#include "qr/CameraQrCapture.h"

#include "platform/Platform.h"
#include "qr/VideoFrame.h"

#include <QCameraDevice>
#include <QCameraFormat>
#include <QVideoFrame>
#include <algorithm>

namespace {

constexpr qint64 kFrameMs = qint64(kVideoFrameInterval * 1000);

// The camera's own format closest to the 640 x 480 we work on, so that
// frames need little scaling.
QCameraFormat formatFor(const QCameraDevice& device) {
    const QList<QCameraFormat> formats = device.videoFormats();
    const auto distance = [](const QCameraFormat& f) {
        return std::abs(f.resolution().width() * f.resolution().height() -
                        kVideoFrameSize.width() * kVideoFrameSize.height());
    };
    const auto best = std::min_element(
        formats.begin(), formats.end(),
        [&](const QCameraFormat& a, const QCameraFormat& b) { return distance(a) < distance(b); });
    return best == formats.end() ? QCameraFormat() : *best;
}

} // namespace

CameraQrCapture::CameraQrCapture(const QCameraDevice& device) : camera_(device) {
    const QCameraFormat format = formatFor(device);
    if (!format.isNull()) camera_.setCameraFormat(format);
    session_.setCamera(&camera_);
    session_.setVideoSink(&sink_);
    // The sink may report from the camera's thread; the context object brings
    // each frame over to the main thread.
    connect(&sink_, &QVideoSink::videoFrameChanged, this, &CameraQrCapture::take);
    connect(&camera_, &QCamera::errorOccurred, this, [](QCamera::Error, const QString& text) {
        logLine(QStringLiteral("camera error: %1").arg(text));
    });
    clock_.start();
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
    nextFrameMs_ = clock_.elapsed();
    camera_.start();
}

void CameraQrCapture::stopFrames() {
    camera_.stop();
}

void CameraQrCapture::take(const QVideoFrame& frame) {
    const qint64 now = clock_.elapsed();
    if (!isRunning() || now < nextFrameMs_ || !frame.isValid()) return;
    // Keep to the beat of two frames a second; after a stall start afresh
    // rather than hurrying to catch up.
    nextFrameMs_ = now - nextFrameMs_ > kFrameMs ? now + kFrameMs : nextFrameMs_ + kFrameMs;
    // A webcam stands landscape, a phone's camera lies a quarter turn off;
    // the frame says which, and the picture is kept upright either way.
    const QImage image =
        videoFrameFromCamera(frame.toImage(), frame.rotationAngle(), frame.mirrored());
    if (!image.isNull()) deliverFrame(image);
}
