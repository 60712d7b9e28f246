#pragma once

#include "qr/FrameQrCapture.h"

#include <QList>

// A camera the test holds pictures in front of: each shown frame goes through
// the real detector, as the camera's frames do.
class FakeQrCapture : public FrameQrCapture {
  public:
    // Delivers one frame (ignored while the capture is stopped).
    void show(const QImage& frame) { deliverFrame(frame); }

    bool hasTorch() const override { return torch; }
    std::optional<QString> setTorch(bool on) override;

    bool torch = true;
    // When set, the torch cannot be locked and this is the error.
    std::optional<QString> lockError;
    bool torchOn = false;
    QList<bool> torchCalls;

  protected:
    void startFrames() override {}
    void stopFrames() override {}
};

// Opens FakeQrCaptures, or fails with an error when none is to be had.
class FakeQrCaptureFactory : public QrCaptureFactory {
  public:
    std::unique_ptr<QrCapture> create(QString& error) override;
    // Opens a FakeQrCapture as create() does and notes the path.
    std::unique_ptr<QrCapture> createShowing(const QString& path, QString& error) override;

    // The error of the next opening; none means the opening succeeds.
    std::optional<QString> failure;
    bool torch = true;
    // The capture opened last.
    FakeQrCapture* last = nullptr;
    // The picture files asked for, in order.
    QStringList shownPaths;
    // When set, a picture file cannot be opened and this is the error.
    std::optional<QString> pictureFailure;
};
