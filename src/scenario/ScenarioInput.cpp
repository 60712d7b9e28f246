#include "scenario/ScenarioInput.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPointer>
#include <QPointingDevice>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <tuple>

namespace {

constexpr int kDragSteps = 4;

// Sees the events the app takes. Application event filters run newest
// first, so an input block made later filters an event before this sees it.
class InputProbe : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event == expected) seen = true;
        // A touch reaches the widgets through the window: its first event on
        // a widget, or the mouse press Qt makes of it, is the one that counts.
        if (expectTouch && watched->isWidgetType() &&
            (event->type() == QEvent::TouchBegin || event->type() == QEvent::MouseButtonPress))
            seen = true;
        return false;
    }
    const QEvent* expected = nullptr;
    bool expectTouch = false;
    bool seen = false;
};

InputProbe* probe = nullptr;
// The touch screen the finger is on, and whether taps use it.
QPointingDevice* touchScreen = nullptr;
bool touchOn = false;

// Sends event to target; returns whether the app took it in.
bool deliver(QWidget* target, QEvent& event) {
    if (probe) {
        probe->expected = &event;
        probe->seen = false;
    }
    QApplication::sendEvent(target, &event);
    if (!probe) return true;
    probe->expected = nullptr;
    return probe->seen;
}

bool send(QWidget* target, QEvent::Type type, QPoint point) {
    const QPointF local(point);
    const QPointF scene(target->mapTo(target->window(), point));
    const QPointF global(target->mapToGlobal(point));
    // The button is held while pressed and while moving; a move names no button.
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, scene, global, button, held, Qt::NoModifier);
    return deliver(target, event);
}

// A finger on the touch screen over window: each step of a touch is handed
// to Qt as the window system hands it over, so it runs Qt's own touch
// handling (and its mouse events for widgets that take no touch).
class Finger {
  public:
    explicit Finger(QWidget* window)
        : window_(window), touch_(QTest::touchEvent(window, touchScreen, false)) {}

    // Returns whether the touch reached a widget.
    bool press(QPoint at) {
        if (probe) {
            probe->expectTouch = true;
            probe->seen = false;
        }
        touch_.press(0, at, window_).commit(false);
        if (!probe) return true;
        probe->expectTouch = false;
        return probe->seen;
    }
    void move(QPoint at) { touch_.move(0, at, window_).commit(false); }
    void release(QPoint at) { touch_.release(0, at, window_).commit(false); }

  private:
    QWidget* window_;
    QTest::QTouchEventWidgetSequence touch_;
};

// The window a finger touches to reach widget: its own, or the window that
// draws it scaled (a graphics view showing it through a proxy).
QWidget* touchedWindow(QWidget* widget) {
    QWidget* top = widget->window();
    const QGraphicsProxyWidget* proxy = top->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty()) return top;
    return proxy->scene()->views().first()->window();
}

// Where point of widget shows on the window touchedWindow(widget).
QPoint touchedPoint(QWidget* widget, QPoint point) {
    QWidget* top = widget->window();
    const QPoint inTop = widget->mapTo(top, point);
    const QGraphicsProxyWidget* proxy = top->graphicsProxyWidget();
    if (!proxy || !proxy->scene() || proxy->scene()->views().isEmpty()) return inTop;
    const QGraphicsView* view = proxy->scene()->views().first();
    const QPoint onViewport = view->mapFromScene(proxy->mapToScene(QPointF(inTop)));
    return view->viewport()->mapTo(view->window(), onViewport);
}

// A finger pressed at from, moved to to in kDragSteps steps (none when they
// are the same) and lifted there: from and to are in widget's coordinates.
bool fingerOn(QWidget* widget, QPoint from, QPoint to) {
    QPointer<QWidget> window(touchedWindow(widget));
    const QPoint start = touchedPoint(widget, from);
    const QPoint end = touchedPoint(widget, to);
    Finger finger(window);
    if (!finger.press(start)) return false;
    for (int step = 1; step <= kDragSteps && window && start != end; ++step)
        finger.move(start + (end - start) * step / kDragSteps);
    if (window) finger.release(end);
    return true;
}

// Whether taps go to widget as touches: the window showing it must be one
// the window system shows.
bool touches(QWidget* widget) {
    return touchOn && touchedWindow(widget)->windowHandle();
}

} // namespace

void useTouchScreen(bool on) {
    if (on && !touchScreen)
        touchScreen = QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    touchOn = on;
}

void watchInput() {
    if (probe) return;
    probe = new InputProbe;
    probe->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(probe);
}

bool tapOn(QWidget* widget, QPoint point) {
    if (touches(widget)) return fingerOn(widget, point, point);
    QPointer<QWidget> target(widget);
    if (!send(target, QEvent::MouseButtonPress, point)) return false;
    // The press may have closed or deleted what was pressed.
    if (target) send(target, QEvent::MouseButtonRelease, point);
    return true;
}

bool dragOn(QWidget* widget, QPoint from, QPoint to) {
    if (touches(widget)) return fingerOn(widget, from, to);
    QPointer<QWidget> target(widget);
    if (!send(target, QEvent::MouseButtonPress, from)) return false;
    for (int step = 1; step <= kDragSteps && target; ++step)
        send(target, QEvent::MouseMove, from + (to - from) * step / kDragSteps);
    if (target) send(target, QEvent::MouseButtonRelease, to);
    return true;
}

namespace {

// Two fingers side by side about centre (window coordinates), span apart.
std::pair<QPoint, QPoint> fingersAbout(QPoint centre, double span) {
    const QPoint half(int(std::lround(span / 2)), 0);
    return {centre - half, centre + half};
}

bool twoFingersOn(QWidget* widget, QPoint centre, int span, double factor) {
    QPointer<QWidget> window(touchedWindow(widget));
    const QPoint middle = touchedPoint(widget, centre);
    QTest::QTouchEventWidgetSequence touch = QTest::touchEvent(window, touchScreen, false);
    auto [left, right] = fingersAbout(middle, span);
    if (probe) {
        probe->expectTouch = true;
        probe->seen = false;
    }
    touch.press(0, left, window).press(1, right, window).commit(false);
    if (probe) {
        probe->expectTouch = false;
        if (!probe->seen) return false;
    }
    for (int step = 1; step <= kDragSteps && window; ++step) {
        std::tie(left, right) =
            fingersAbout(middle, span * std::pow(factor, double(step) / kDragSteps));
        touch.move(0, left, window).move(1, right, window).commit(false);
    }
    if (window) touch.release(0, left, window).release(1, right, window).commit(false);
    return true;
}

bool touchpadPinch(QWidget* widget, QPoint centre, double factor) {
    QPointer<QWidget> target(widget);
    const QPointF local(centre);
    const QPointF scene(widget->mapTo(widget->window(), centre));
    const QPointF global(widget->mapToGlobal(centre));
    // Each step zooms by its share of the factor: (1 + value) per step.
    const double value = std::pow(factor, 1.0 / kDragSteps) - 1;
    for (int step = 0; step < kDragSteps && target; ++step) {
        QNativeGestureEvent event(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(),
                                  2, local, scene, global, value, QPointF());
        if (!deliver(target, event) && step == 0) return false;
    }
    return true;
}

} // namespace

bool pinchOn(QWidget* widget, QPoint centre, int span, double factor) {
    if (touches(widget)) return twoFingersOn(widget, centre, span, factor);
    return touchpadPinch(widget, centre, factor);
}

bool tapAt(QWidget* widget, QPoint point) {
    QWidget* child = widget->childAt(point);
    if (!child) return tapOn(widget, point);
    return tapOn(child, child->mapFrom(widget, point));
}

bool tapCentre(QWidget* widget) {
    return tapAt(widget, widget->rect().center());
}

bool pressKey(QWidget* widget, int key) {
    QPointer<QWidget> target(widget);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    if (!deliver(target, press)) return false;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    if (target) deliver(target, release);
    return true;
}

bool typeInto(QWidget* widget, const QString& text) {
    QPointer<QWidget> target(widget);
    target->setFocus();
    for (qsizetype i = 0; i < text.size() && target; ++i) {
        // A character outside the basic plane is one key of two UTF-16 units.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, length);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        // Only a refused first key means that nothing was typed.
        if (!deliver(target, press) && i == 0) return false;
        i += length - 1;
        if (!target) break;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key);
        deliver(target, release);
    }
    return true;
}
