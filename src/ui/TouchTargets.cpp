#include "ui/TouchTargets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <limits>

namespace {

// Whether a press on widget is already someone's to use.
bool usable(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
            qobject_cast<const QLineEdit*>(w) || w->testAttribute(Qt::WA_AcceptTouchEvents))
            return true;
    return false;
}

// The touch area of a button: its rectangle grown to the least side, in
// the coordinates of its window.
QRect touchArea(const QAbstractButton* button) {
    const QRect shown(button->mapTo(button->window(), QPoint(0, 0)), button->size());
    const int dx = std::max(0, TouchTargets::kMinimumSide - shown.width() + 1) / 2;
    const int dy = std::max(0, TouchTargets::kMinimumSide - shown.height() + 1) / 2;
    return shown.adjusted(-dx, -dy, dx, dy);
}

// The visible, enabled, uncovered button of window whose touch area holds
// at, nearest to it; none when none does.
QAbstractButton* buttonNear(QWidget* window, QPoint at) {
    QAbstractButton* nearest = nullptr;
    int distance = std::numeric_limits<int>::max();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || !button->isEnabled() || button->window() != window) continue;
        if (!touchArea(button).contains(at)) continue;
        const QRect shown(button->mapTo(window, QPoint(0, 0)), button->size());
        const QPoint centre = shown.center();
        // A button under something else (a popover's shade) is out of reach.
        const QWidget* top = window->childAt(centre);
        if (top != button && !button->isAncestorOf(top)) continue;
        const int d = (centre - at).manhattanLength();
        if (d < distance) {
            distance = d;
            nearest = button;
        }
    }
    return nearest;
}

void sendToCentre(QAbstractButton* button, const QMouseEvent& like, QEvent::Type type) {
    const QPointF centre = QRectF(button->rect()).center();
    QMouseEvent event(type, centre, button->mapTo(button->window(), centre),
                      button->mapToGlobal(centre), like.button(), like.buttons(), like.modifiers(),
                      like.pointingDevice());
    QCoreApplication::sendEvent(button, &event);
}

} // namespace

bool TouchTargets::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return pressed(static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return released(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        // The button keeps the press it was given, wherever the finger slides.
        return pressedButton_ != nullptr;
    default:
        return false;
    }
}

bool TouchTargets::pressed(QWidget* receiver, const QMouseEvent& event) {
    pressedButton_ = nullptr;
    // The first receiver is the widget under the point; a press passing up
    // to its parents has been seen already.
    if (event.button() != Qt::LeftButton || usable(receiver)) return false;
    QWidget* window = receiver->window();
    QAbstractButton* button =
        buttonNear(window, receiver->mapTo(window, event.position().toPoint()));
    if (!button) return false;
    // The press handed on passes this filter too: remember the button after.
    sendToCentre(button, event, QEvent::MouseButtonPress);
    pressedButton_ = button;
    return true;
}

bool TouchTargets::released(const QMouseEvent& event) {
    QPointer<QAbstractButton> button = std::exchange(pressedButton_, nullptr);
    if (!button || event.button() != Qt::LeftButton) return false;
    sendToCentre(button, event, QEvent::MouseButtonRelease);
    return true;
}
