#pragma once

#include "ui/FrameAnimation.h"

#include <QPointer>
#include <QWidget>

// Moves the scan line once down the scan square and hides it at the end.
class ScanLineSweep {
  public:
    explicit ScanLineSweep(QWidget* line) : line_(line), animation_(line) {}

    // Shows the line at fromY and moves it to toY over the given time; a sweep
    // still under way is dropped.
    void run(double fromY, double toY, double seconds);

  private:
    QPointer<QWidget> line_;
    FrameAnimation animation_;
};
