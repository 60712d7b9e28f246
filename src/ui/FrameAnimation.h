#pragma once

#include "platform/MainLoop.h"

#include <QDateTime>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

// Moves and resizes a view from one frame to another at an even pace (a
// linear timing curve), in small steps on the main loop, so that it runs on
// the virtual clock in tests as it does on the real one.
class FrameAnimation {
  public:
    explicit FrameAnimation(QWidget* view) : view_(view) {}
    ~FrameAnimation();
    FrameAnimation(const FrameAnimation&) = delete;
    FrameAnimation& operator=(const FrameAnimation&) = delete;

    // Puts the view at from and moves it to to over the given time; finished
    // runs once the view stands at to. An animation still under way is
    // dropped without its finished call.
    void run(const QRect& from, const QRect& to, double seconds,
             std::function<void()> finished = {});
    // Whether an animation is under way.
    bool isRunning() const { return timer_.has_value(); }

  private:
    void step();

    QPointer<QWidget> view_;
    QRect from_;
    QRect to_;
    double duration_ = 0;
    QDateTime start_;
    std::function<void()> finished_;
    std::optional<MainLoop::TimerId> timer_;
};
