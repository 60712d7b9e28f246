#pragma once

#include "platform/QrCapture.h"

// A capture that reads the QR codes of its frames itself: every frame that
// arrives while it runs is handed out, then searched within the region of
// interest. Frame sources derive from it and say how frames start and stop.
class FrameQrCapture : public QrCapture {
  public:
    void setRegionOfInterest(const QRectF& region) override { region_ = region; }
    void start() override;
    void stop() override;
    bool isRunning() const override { return running_; }
    bool hasTorch() const override { return false; }
    std::optional<QString> setTorch(bool on) override;

    // The region codes are read in (the whole frame unless set).
    QRectF regionOfInterest() const { return region_; }

  protected:
    // Hands out one frame and reports the codes found in it; ignored while
    // the capture is stopped.
    void deliverFrame(const QImage& frame);
    virtual void startFrames() = 0;
    virtual void stopFrames() = 0;

  private:
    QRectF region_{0, 0, 1, 1};
    bool running_ = false;
};
