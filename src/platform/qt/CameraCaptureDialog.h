#pragma once

#include <QCamera>
#include <QDialog>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QVideoSink>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

// The modal capture window of a real camera: a viewfinder, a shutter and a
// cancel button. It hands back the captured photo as JPEG bytes, or none
// when the person cancelled or the camera failed (with a log line), once,
// and then closes itself.
class CameraCaptureDialog : public QDialog {
    Q_OBJECT
  public:
    using Done = std::function<void(std::optional<QByteArray> jpeg)>;
    CameraCaptureDialog(const QCameraDevice& device, Done done, QWidget* parent = nullptr);

  private:
    void showFrame(const QVideoFrame& frame);
    void captured(const QImage& photo);
    void finish(std::optional<QByteArray> jpeg);

    Done done_;
    QLabel* viewfinder_;
    QPushButton* shutter_;
    QCamera camera_;
    QImageCapture capture_;
    QVideoSink sink_;
    // Declared last so that it goes first, while camera and sink still exist.
    QMediaCaptureSession session_;
};
