#pragma once

#include <QString>
#include <functional>
#include <optional>

// Lets the person pick a picture file on a device that has files to offer (a
// desktop); where there is none, the platform has no chooser.
class PictureChooser {
  public:
    virtual ~PictureChooser() = default;
    // Shows a chooser titled title for files matching filter ("JPEG (*.jpg)",
    // Qt's form). done is called once, after the call has returned, with the
    // chosen file's path, or with none when it was closed without one.
    virtual void choosePicture(const QString& title, const QString& filter,
                               std::function<void(std::optional<QString> path)> done) = 0;
};
