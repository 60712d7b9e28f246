#pragma once

#include <QCamera>
#include <QCameraDevice>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

// A phone's camera picker, laid over the whole of the app's window: the live
// preview with the shutter ("拍照") and "取消"; after the shot the still with
// "重拍" and "使用照片". Space or Enter is the shutter (on the still: use it),
// Escape cancels (on the still: retake). The shot is taken at the camera's
// highest resolution and made a JPEG once, here (QtMultimedia hands over a
// picture, not the camera's file); those bytes are handed back as they are,
// for the photo pipeline to shrink and stamp. A camera that goes
// away or fails says so in an alert and hands back none. done is called
// once, after the picker has closed; the picker then deletes itself.
class CameraPickerView : public QWidget {
    Q_OBJECT
  public:
    using Done = std::function<void(std::optional<QByteArray> jpeg)>;
    // Opens device over window (a window of its own where window is none).
    CameraPickerView(const QCameraDevice& device, QWidget* window, Done done);

    // The longest wait from the shutter to the camera's photo.
    static constexpr int kShotTimeoutMs = 10000;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool) override { return true; } // Tab stays in the picker
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildButtons();
    void connectCamera();
    void takeFrame(const QVideoFrame& frame);
    void showLatestFrame();
    void shoot();
    void captured(const QImage& photo);
    // Shows the still with its choices, or the preview for a null one.
    void showStill(const QImage& still);
    void cameraLost(const QString& why);
    void finish(std::optional<QByteArray> jpeg);

    Done done_;
    QCameraDevice device_;
    QPointer<QWidget> focusBefore_;
    QLabel* preview_;
    QPushButton* shutter_;
    QPushButton* cancel_;
    QPushButton* retake_;
    QPushButton* use_;
    QByteArray shot_;
    QVideoFrame latest_;
    bool framePending_ = false;
    QTimer shotTimer_;
    QMediaDevices devices_;
    QCamera camera_;
    QImageCapture capture_;
    QVideoSink sink_;
    // Declared last so that it goes first, while camera, capture and sink still exist.
    QMediaCaptureSession session_;
};
