#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

enum class AuthorizationStatus { NotDetermined, Restricted, Denied, Authorized };

// Permission to use the camera.
class CameraAccess {
  public:
    virtual ~CameraAccess() = default;
    // Returns whether the device has a camera at all.
    virtual bool hasCamera() const = 0;
    virtual AuthorizationStatus authorizationStatus() const = 0;
    // Asks for access; the answer may come later and on any thread.
    virtual void requestAccess(std::function<void(bool granted)> answer) = 0;
};

// The modal camera screen that takes one photo.
class CameraPicker {
  public:
    virtual ~CameraPicker() = default;
    // Shows the camera; done gets the full-size photo as JPEG bytes, or none
    // when the user cancelled.
    virtual void takePhoto(std::function<void(std::optional<QByteArray> jpeg)> done) = 0;
};
