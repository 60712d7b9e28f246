#include "qr/ScanLineSweep.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cmath>

namespace {

// About as often as a screen redraws.
constexpr double kStepSeconds = 1.0 / 30;

} // namespace

ScanLineSweep::~ScanLineSweep() {
    if (timer_) platform().loop->cancel(*timer_);
}

void ScanLineSweep::run(double fromY, double toY, double seconds) {
    if (timer_) platform().loop->cancel(*timer_);
    timer_.reset();
    if (!line_) return;
    from_ = fromY;
    to_ = toY;
    duration_ = seconds;
    start_ = platform().clock->now();
    line_->show();
    step();
}

void ScanLineSweep::step() {
    timer_.reset();
    if (!line_) return;
    const double elapsed = start_.msecsTo(platform().clock->now()) / 1000.0;
    const double done = duration_ > 0 ? std::min(1.0, elapsed / duration_) : 1.0;
    line_->move(line_->x(), int(std::lround(from_ + (to_ - from_) * done)));
    if (done >= 1.0) {
        line_->hide();
        return;
    }
    timer_ =
        platform().loop->after(std::min(kStepSeconds, duration_ - elapsed), [this] { step(); });
}
