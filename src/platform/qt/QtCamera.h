#pragma once

#include "platform/Camera.h"

#include <QString>

// The camera on a desktop: a real camera is reported when QtMultimedia finds
// one; photos come from the image files of a folder, one after another (in
// name order, starting again after the last), so a desktop without camera can
// take photos.
class QtCamera : public CameraAccess, public CameraPicker {
public:
    explicit QtCamera(QString photoFolder) : folder_(std::move(photoFolder)) {}
    bool hasCamera() const override;
    AuthorizationStatus authorizationStatus() const override { return AuthorizationStatus::Authorized; }
    void requestAccess(std::function<void(bool)> answer) override { answer(true); }
    void takePhoto(std::function<void(std::optional<QByteArray>)> done) override;

private:
    QString folder_;
    int next_ = 0;
};
