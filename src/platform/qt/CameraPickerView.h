#pragma once

#include <QCameraDevice>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>
#include <QVideoFrame>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;

// A phone's camera picker, laid over the whole of the app's window: the live
// preview with the shutter ("拍照") and "取消"; after the shot the still with
// "重拍" and "使用照片". Space or Enter is the shutter (on the still: use it),
// Escape cancels (on the still: retake). The camera runs at its largest
// format (on the process's SharedCamera), and the shot is the frame the preview shows at the
// shutter, whole, made a JPEG once here; those bytes are handed back as they are, for the photo
// pipeline to shrink and stamp. A camera that goes away, fails or shows no frame within 10 s says
// so in an alert and hands back none. done is called once, after the picker has closed; the picker
// then deletes itself.
class CameraPickerView : public QWidget {
    Q_OBJECT
  public:
    using Done = std::function<void(std::optional<QByteArray> jpeg)>;
    // Opens device over window (a window of its own where window is none).
    CameraPickerView(const QCameraDevice& device, QWidget* window, Done done);

    // The longest wait for the camera's first frame.
    static constexpr int kFirstFrameMs = 10000;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool) override { return true; } // Tab stays in the picker
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildButtons();
    void connectCamera();
    void takeFrame(const QVideoFrame& frame);
    void showLatestFrame();
    void showPicture(const QImage& picture);
    void shoot();
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
    QImage shown_; // the whole frame the preview shows
    bool framePending_ = false;
    QTimer firstFrame_;
    QMediaDevices devices_;
};
