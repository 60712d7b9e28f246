#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointF>
#include <QTimer>

class QAbstractScrollArea;
class QMouseEvent;

// Lets a finger (or a held mouse button) scroll a list up and down, as a
// phone's list scrolls: the content follows the finger, and a finger lifted
// while moving flings it on, slowing down until it stops or meets an end.
// A drag that scrolls never reaches the list as a tap: the rows see their
// press ended away from any row, so nothing is selected, opened or ticked.
// A mainly sideways drag is left to the list (a row's swipe). A press while
// the list flings only stops it.
class KineticScroller : public QObject {
    Q_OBJECT
  public:
    // Fastest fling, in pixels per second.
    static constexpr double kMaxVelocity = 6000;

    // Scrolls area by finger; the scroller belongs to area.
    explicit KineticScroller(QAbstractScrollArea* area);

    // The scroller of area, if it scrolls by finger.
    static KineticScroller* of(const QAbstractScrollArea* area);
    // Returns true while a finger drags the content or a fling moves it.
    bool isMoving() const { return state_ == State::Scrolling || fling_.isActive(); }
    // Ends a fling where it is.
    void stop();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class State { Idle, Pressed, Scrolling, Passing, Stopping };

    bool pressed(const QMouseEvent& event);
    bool moved(const QMouseEvent& event);
    bool released();
    void startScrolling();
    void flingFrame();
    // Sets the vertical scroll position; returns false at an end.
    bool scrollTo(double value);

    QAbstractScrollArea* area_;
    State state_ = State::Idle;
    QPointF pressAt_;
    double startValue_ = 0;
    double velocity_ = 0; // of the scroll position, in pixels per second
    double position_ = 0;
    QElapsedTimer clock_;
    qint64 lastMoveMs_ = 0;
    double lastY_ = 0;
    QTimer fling_;
    bool cancelling_ = false;
};

// Lets area scroll by finger (see KineticScroller).
void scrollByFinger(QAbstractScrollArea* area);
