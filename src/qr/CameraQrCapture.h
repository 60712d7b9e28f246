#pragma once

#include "qr/FrameQrCapture.h"

#include <QCamera>
#include <QElapsedTimer>
#include <QMediaCaptureSession>
#include <QObject>
#include <QVideoSink>

class QVideoFrame;

// The device's camera through QtMultimedia. Frames are turned upright and
// brought to 640 x 480 (see videoFrameFromCamera), and taken twice a second on the main thread;
// frames in between, and frames that arrive late, are dropped.
class CameraQrCapture : public QObject, public FrameQrCapture {
    Q_OBJECT
  public:
    explicit CameraQrCapture(const QCameraDevice& device);

    // Whether the camera could not be opened, and why.
    bool failed() const { return camera_.error() != QCamera::NoError; }
    QString errorText() const { return camera_.errorString(); }

    bool hasTorch() const override;
    std::optional<QString> setTorch(bool on) override;

  protected:
    void startFrames() override;
    void stopFrames() override;

  private:
    void take(const QVideoFrame& frame);

    QCamera camera_;
    QVideoSink sink_;
    // Declared last so that it goes first, while camera and sink still exist.
    QMediaCaptureSession session_;
    QElapsedTimer clock_;
    qint64 nextFrameMs_ = 0;
};
