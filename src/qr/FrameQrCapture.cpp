#include "qr/FrameQrCapture.h"

#include "qr/QrDetector.h"

void FrameQrCapture::start() {
    if (running_) return;
    running_ = true;
    startFrames();
}

void FrameQrCapture::stop() {
    if (!running_) return;
    running_ = false;
    stopFrames();
}

std::optional<QString> FrameQrCapture::setTorch(bool on) {
    Q_UNUSED(on);
    return QStringLiteral("the camera has no torch");
}

void FrameQrCapture::deliverFrame(const QImage& frame) {
    if (!running_) return;
    if (onFrame) onFrame(frame);
    // The frame's receiver may have stopped the capture.
    if (!running_) return;
    const QStringList codes = readQrCodesInRegion(frame, region_);
    if (!codes.isEmpty() && onCodes) onCodes(codes);
}
