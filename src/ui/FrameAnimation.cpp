#include "ui/FrameAnimation.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cmath>

namespace {

// About as often as a screen redraws.
constexpr double kStepSeconds = 1.0 / 30;

int between(int from, int to, double done) {
    return int(std::lround(from + (to - from) * done));
}

} // namespace

FrameAnimation::~FrameAnimation() {
    if (timer_) platform().loop->cancel(*timer_);
}

void FrameAnimation::run(const QRect& from, const QRect& to, double seconds,
                         std::function<void()> finished) {
    if (timer_) platform().loop->cancel(*timer_);
    timer_.reset();
    if (!view_) return;
    from_ = from;
    to_ = to;
    duration_ = seconds;
    finished_ = std::move(finished);
    start_ = platform().clock->now();
    step();
}

void FrameAnimation::step() {
    timer_.reset();
    if (!view_) return;
    const double elapsed = start_.msecsTo(platform().clock->now()) / 1000.0;
    const double done = duration_ > 0 ? std::min(1.0, elapsed / duration_) : 1.0;
    view_->setGeometry(between(from_.x(), to_.x(), done), between(from_.y(), to_.y(), done),
                       between(from_.width(), to_.width(), done),
                       between(from_.height(), to_.height(), done));
    if (done >= 1.0) {
        // The call may start another animation or delete the view's owner.
        if (auto finished = std::exchange(finished_, nullptr)) finished();
        return;
    }
    timer_ =
        platform().loop->after(std::min(kStepSeconds, duration_ - elapsed), [this] { step(); });
}
