#include "FakeQrCapture.h"

std::optional<QString> FakeQrCapture::setTorch(bool on) {
    torchCalls << on;
    if (!torch) return FrameQrCapture::setTorch(on);
    if (lockError) return lockError;
    torchOn = on;
    return std::nullopt;
}

std::unique_ptr<QrCapture> FakeQrCaptureFactory::create(QString& error) {
    if (failure) {
        error = *failure;
        return nullptr;
    }
    auto capture = std::make_unique<FakeQrCapture>();
    capture->torch = torch;
    last = capture.get();
    return capture;
}

std::unique_ptr<QrCapture> FakeQrCaptureFactory::createShowing(const QString& path,
                                                               QString& error) {
    shownPaths << path;
    if (pictureFailure) {
        error = *pictureFailure;
        return nullptr;
    }
    failure.reset(); // a picture opens where the camera did not
    return create(error);
}
