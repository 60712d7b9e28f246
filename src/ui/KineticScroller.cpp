#include "ui/KineticScroller.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kFrameMs = 16;
// What is left of the fling's speed after each millisecond, as a phone's
// list slows down.
constexpr double kDecelerationPerMs = 0.997;
constexpr double kRestingVelocity = 20;
// A finger held still this long before it lifts flings nothing.
constexpr qint64 kStillMs = 80;

} // namespace

KineticScroller::KineticScroller(QAbstractScrollArea* area) : QObject(area), area_(area) {
    fling_.setInterval(kFrameMs);
    connect(&fling_, &QTimer::timeout, this, &KineticScroller::flingFrame);
    clock_.start();
    area->viewport()->installEventFilter(this);
}

KineticScroller* KineticScroller::of(const QAbstractScrollArea* area) {
    return area ? area->findChild<KineticScroller*>(QString(), Qt::FindDirectChildrenOnly)
                : nullptr;
}

void KineticScroller::stop() {
    fling_.stop();
    velocity_ = 0;
}

bool KineticScroller::eventFilter(QObject* watched, QEvent* event) {
    Q_UNUSED(watched);
    if (cancelling_) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return pressed(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return moved(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && released();
    default:
        return false;
    }
}

bool KineticScroller::pressed(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) return false;
    if (fling_.isActive()) {
        // A finger laid on a moving list catches it; that touch is no tap.
        stop();
        state_ = State::Stopping;
        return true;
    }
    state_ = State::Pressed;
    pressAt_ = event.position();
    return false;
}

bool KineticScroller::moved(const QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton)) return false;
    const QPointF dragged = event.position() - pressAt_;
    switch (state_) {
    case State::Stopping:
        return true;
    case State::Pressed:
        if (dragged.manhattanLength() < QApplication::startDragDistance()) return false;
        if (std::abs(dragged.y()) <= std::abs(dragged.x())) {
            state_ = State::Passing;
            return false;
        }
        startScrolling();
        break;
    case State::Scrolling:
        break;
    default:
        return false;
    }
    const qint64 now = clock_.elapsed();
    const double y = event.position().y();
    const double elapsedMs = double(std::max<qint64>(1, now - lastMoveMs_));
    const double speed = (lastY_ - y) / elapsedMs * 1000;
    velocity_ = std::clamp(0.7 * speed + 0.3 * velocity_, -kMaxVelocity, kMaxVelocity);
    lastMoveMs_ = now;
    lastY_ = y;
    scrollTo(startValue_ - dragged.y());
    return true;
}

void KineticScroller::startScrolling() {
    state_ = State::Scrolling;
    startValue_ = area_->verticalScrollBar()->value();
    lastMoveMs_ = clock_.elapsed();
    lastY_ = pressAt_.y();
    velocity_ = 0;
    // The list saw the press: end it away from every row, so that it
    // neither selects nor opens the row the finger started on.
    cancelling_ = true;
    QMouseEvent end(QEvent::MouseButtonRelease, QPointF(-1, -1), QPointF(-1, -1), Qt::LeftButton,
                    Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area_->viewport(), &end);
    cancelling_ = false;
}

bool KineticScroller::released() {
    const State was = std::exchange(state_, State::Idle);
    if (was == State::Stopping) return true;
    if (was != State::Scrolling) return false;
    if (clock_.elapsed() - lastMoveMs_ > kStillMs) velocity_ = 0;
    position_ = area_->verticalScrollBar()->value();
    if (std::abs(velocity_) > kRestingVelocity) {
        lastMoveMs_ = clock_.elapsed();
        fling_.start();
    }
    return true;
}

void KineticScroller::flingFrame() {
    const qint64 now = clock_.elapsed();
    const double elapsedMs = double(std::max<qint64>(1, now - lastMoveMs_));
    lastMoveMs_ = now;
    position_ += velocity_ * elapsedMs / 1000;
    velocity_ *= std::pow(kDecelerationPerMs, elapsedMs);
    if (!scrollTo(position_) || std::abs(velocity_) < kRestingVelocity) stop();
}

bool KineticScroller::scrollTo(double value) {
    QScrollBar* bar = area_->verticalScrollBar();
    const int wanted = int(std::lround(value));
    bar->setValue(wanted);
    return wanted > bar->minimum() && wanted < bar->maximum();
}

void scrollByFinger(QAbstractScrollArea* area) {
    // A finger moves the rows by pixels, not a whole row at a time.
    if (auto* view = qobject_cast<QAbstractItemView*>(area))
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    if (!KineticScroller::of(area)) new KineticScroller(area);
}
