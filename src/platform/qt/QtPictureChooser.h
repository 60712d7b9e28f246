#pragma once

#include "platform/PictureChooser.h"

#include <QString>
#include <functional>

class QWidget;

// The desktop's picture chooser: Qt's own file dialog (in the language of
// the translations loaded), laid over the app's window and no larger than
// it, starting in the person's Pictures folder.
class QtPictureChooser : public PictureChooser {
  public:
    // The window the chooser is laid over; without one it stands alone.
    void setWindow(std::function<QWidget*()> window) { window_ = std::move(window); }
    void choosePicture(const QString& title, const QString& filter,
                       std::function<void(std::optional<QString> path)> done) override;

    // The folder a chooser starts in: the Pictures folder, or the home
    // folder where there is none.
    static QString startFolder();

  private:
    std::function<QWidget*()> window_;
};
