#pragma once

#include <QString>
#include <functional>
#include <optional>

// What a screen without a camera offers in its place: a picture file.
struct PictureOffer {
    QString message; // follows "此裝置沒有可用的相機, "
    QString button;
    QString chooserTitle;
    QString filter; // Qt's form: "JPEG (*.jpg *.jpeg)"
};

// Tells the person in an alert that the device has no camera and, where the
// platform has a picture chooser, offers to pick a picture file instead.
// done is called once, later, with the chosen file, or with none when the
// person declined, closed the chooser or has no chooser.
void offerPictureForCamera(const PictureOffer& offer,
                           std::function<void(std::optional<QString> path)> done);
