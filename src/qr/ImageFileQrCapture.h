#pragma once

#include "platform/MainLoop.h"
#include "qr/FrameQrCapture.h"

#include <optional>

// A still camera that looks at one picture: while it runs it hands out the
// picture as a 640 x 480 landscape frame twice a second, through the main
// loop. The picture is given upright, as the user would see it on screen.
class ImageFileQrCapture : public FrameQrCapture {
  public:
    explicit ImageFileQrCapture(const QImage& upright);
    ~ImageFileQrCapture() override;

    // The frame the picture becomes (turned a quarter turn back, fitted onto white).
    const QImage& frame() const { return frame_; }

  protected:
    void startFrames() override;
    void stopFrames() override;

  private:
    void scheduleFrame();

    QImage frame_;
    std::optional<MainLoop::TimerId> timer_;
};
