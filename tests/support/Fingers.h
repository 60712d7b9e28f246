#pragma once

#include <QPointingDevice>
#include <QTest>
#include <QWidget>
#include <cmath>

// Fingers on a touch screen over a widget's window, for tests of touch
// handling: each touch goes to Qt as the window system hands it over.
namespace fingers {

inline QPointingDevice* touchScreen() {
    static QPointingDevice* device =
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    return device;
}

// A finger pressed at from, moved to to in steps moves stepMs apart, held
// there holdMs and lifted (points in widget's coordinates).
inline void drag(QWidget* widget, QPoint from, QPoint to, int steps, int stepMs, int holdMs) {
    QWidget* window = widget->window();
    const QPoint start = widget->mapTo(window, from);
    const QPoint end = widget->mapTo(window, to);
    QTest::touchEvent(window, touchScreen()).press(0, start, window);
    for (int step = 1; step <= steps; ++step) {
        if (stepMs > 0) QTest::qWait(stepMs);
        QTest::touchEvent(window, touchScreen())
            .move(0, start + (end - start) * step / steps, window);
    }
    if (holdMs > 0) QTest::qWait(holdMs);
    QTest::touchEvent(window, touchScreen()).release(0, end, window);
}

inline void tap(QWidget* widget, QPoint at) {
    drag(widget, at, at, 0, 0, 0);
}

// Two fingers side by side about centre (widget's coordinates), span apart,
// moved in four steps until they are factor times as far apart, and lifted.
inline void pinch(QWidget* widget, QPointF centre, double span, double factor) {
    QWidget* window = widget->window();
    const QPointF middle = widget->mapTo(window, centre);
    auto at = [&](double apart, int side) {
        return (middle + QPointF(side * apart / 2, 0)).toPoint();
    };
    QTest::touchEvent(window, touchScreen())
        .press(0, at(span, -1), window)
        .press(1, at(span, 1), window);
    double apart = span;
    for (int step = 1; step <= 4; ++step) {
        apart = span * std::pow(factor, step / 4.0);
        QTest::touchEvent(window, touchScreen())
            .move(0, at(apart, -1), window)
            .move(1, at(apart, 1), window);
    }
    QTest::touchEvent(window, touchScreen())
        .release(0, at(apart, -1), window)
        .release(1, at(apart, 1), window);
}

} // namespace fingers
