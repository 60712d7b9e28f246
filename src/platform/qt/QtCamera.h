#pragma once

#include "platform/Camera.h"

#include <QString>
#include <QStringList>

class QWidget;

// The camera on a desktop. Photo files given with returnNext come first, then
// the JPEG files of the photo folder (--photos), one after another (in name
// order, starting again after the last). Without a folder, the first camera
// QtMultimedia lists, looked up at each photo, opens in the camera picker
// laid over the app's window; without one, an alert says so and, where the
// platform has a picture chooser, offers to choose a JPEG file instead.
class QtCamera : public CameraAccess, public CameraPicker {
  public:
    explicit QtCamera(QString photoFolder) : folder_(std::move(photoFolder)) {}
    bool hasCamera() const override;
    AuthorizationStatus authorizationStatus() const override {
        return AuthorizationStatus::Authorized;
    }
    void requestAccess(std::function<void(bool)> answer) override { answer(true); }
    void takePhoto(std::function<void(std::optional<QByteArray>)> done) override;
    // The window the camera picker covers; without one it stands alone.
    void setWindow(std::function<QWidget*()> window) { window_ = std::move(window); }
    // The next photo taken is the JPEG file; files given one after another
    // are returned in that order.
    void returnNext(const QString& file) { queued_ << file; }
    // Reports a camera even where QtMultimedia finds none, fed only by
    // returnNext: with nothing given, a photo is none.
    void setPresent(bool present) { present_ = present; }

    // The largest photo file read, far above any camera's JPEG.
    static constexpr qint64 kMaxPhotoFileBytes = 64 * 1024 * 1024;

  private:
    std::optional<QByteArray> nextPhoto();
    void chooseFile(std::function<void(std::optional<QByteArray>)> done);

    QString folder_;
    int next_ = 0;
    QStringList queued_;
    bool present_ = false;
    std::function<QWidget*()> window_;
};

// The bytes of a photo file, or none (with a log line) when it cannot be read
// or is larger than QtCamera::kMaxPhotoFileBytes.
std::optional<QByteArray> readCameraPhotoFile(const QString& path);
