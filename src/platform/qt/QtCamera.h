#pragma once

#include "platform/Camera.h"

#include <QString>
#include <QStringList>

// The camera on a desktop: a real camera is reported when QtMultimedia finds
// one; photos come from the image files of a folder, one after another (in
// name order, starting again after the last), so a desktop without camera can
// take photos. A photo file given with returnNext is returned before them.
class QtCamera : public CameraAccess, public CameraPicker {
  public:
    explicit QtCamera(QString photoFolder) : folder_(std::move(photoFolder)) {}
    bool hasCamera() const override;
    AuthorizationStatus authorizationStatus() const override {
        return AuthorizationStatus::Authorized;
    }
    void requestAccess(std::function<void(bool)> answer) override { answer(true); }
    void takePhoto(std::function<void(std::optional<QByteArray>)> done) override;
    // The next photo taken is the JPEG file; files given one after another
    // are returned in that order.
    void returnNext(const QString& file) { queued_ << file; }
    // Reports a camera even where QtMultimedia finds none.
    void setPresent(bool present) { present_ = present; }

  private:
    std::optional<QByteArray> nextPhoto();

    QString folder_;
    int next_ = 0;
    QStringList queued_;
    bool present_ = false;
};
