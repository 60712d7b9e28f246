#pragma once

#include "platform/MainLoop.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <optional>

// Moves the scan line once down the scan square, in small steps on the main
// loop, and hides it at the end.
class ScanLineSweep {
  public:
    explicit ScanLineSweep(QWidget* line) : line_(line) {}
    ~ScanLineSweep();
    ScanLineSweep(const ScanLineSweep&) = delete;
    ScanLineSweep& operator=(const ScanLineSweep&) = delete;

    // Shows the line at fromY and moves it to toY over the given time; a sweep
    // still under way is dropped.
    void run(double fromY, double toY, double seconds);

  private:
    void step();

    QPointer<QWidget> line_;
    double from_ = 0;
    double to_ = 0;
    double duration_ = 0;
    QDateTime start_;
    std::optional<MainLoop::TimerId> timer_;
};
