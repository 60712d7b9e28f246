#pragma once

#include "platform/MainLoop.h"
#include "qr/FrameQrCapture.h"

#include <optional>

// A still camera held up to one picture: while it runs it hands out a
// 640 x 480 landscape frame twice a second, through the main loop. The
// picture is given upright, as the user would see it on screen, and shows
// within the region of interest (the reader's scan square) on white, as if
// held up to fill the square: a picture file of a code is read as it is.
class ImageFileQrCapture : public FrameQrCapture {
  public:
    explicit ImageFileQrCapture(QImage upright);
    ~ImageFileQrCapture() override;

  protected:
    void startFrames() override;
    void stopFrames() override;

  private:
    void scheduleFrame();

    QImage upright_;
    QImage frame_;
    std::optional<MainLoop::TimerId> timer_;
};
