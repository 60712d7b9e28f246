#pragma once

#include "qr/FrameQrCapture.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QCamera;
class QCameraDevice;
class QVideoFrame;

// The device's camera through QtMultimedia (the process's one shared camera).
// Frames are turned upright and brought to 640 x 480 (see
// videoFrameFromCamera), and taken twice a second on the main thread; frames
// in between, and frames that arrive late, are dropped. A camera that gives
// no frame for a while is restarted once.
class CameraQrCapture : public QObject, public FrameQrCapture {
    Q_OBJECT
  public:
    explicit CameraQrCapture(const QCameraDevice& device);
    ~CameraQrCapture() override;

    // Whether the camera could not be opened, and why.
    bool failed() const;
    QString errorText() const;

    bool hasTorch() const override;
    std::optional<QString> setTorch(bool on) override;

    // How long the camera may give no frame before it is restarted.
    static constexpr int kStallMs = 2000;
    // How long after a start frames are dropped as stale.
    static constexpr int kSettleMs = 300;

  protected:
    void startFrames() override;
    void stopFrames() override;

  private:
    void take(const QVideoFrame& frame);
    void checkStall();

    QCamera& camera_;
    QElapsedTimer clock_;
    qint64 startMs_ = 0;
    qint64 nextFrameMs_ = 0;
    qint64 lastFrameMs_ = 0;
    bool restarted_ = false;
    QTimer stallCheck_;
};
