#include "scenario/ScenarioInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace {

void send(QWidget* target, QEvent::Type type, QPoint point) {
    const QPointF local(point);
    const QPointF scene(target->mapTo(target->window(), point));
    const QPointF global(target->mapToGlobal(point));
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, scene, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

void tapOn(QWidget* widget, QPoint point) {
    QPointer<QWidget> target(widget);
    send(target, QEvent::MouseButtonPress, point);
    // The press may have closed or deleted what was pressed.
    if (target) send(target, QEvent::MouseButtonRelease, point);
}

void tapAt(QWidget* widget, QPoint point) {
    QWidget* child = widget->childAt(point);
    if (!child) return tapOn(widget, point);
    tapOn(child, child->mapFrom(widget, point));
}

void tapCentre(QWidget* widget) {
    tapAt(widget, widget->rect().center());
}

void typeInto(QWidget* widget, const QString& text) {
    QPointer<QWidget> target(widget);
    target->setFocus();
    for (qsizetype i = 0; i < text.size() && target; ++i) {
        // A character outside the basic plane is one key of two UTF-16 units.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(target, &press);
        if (!target) return;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(target, &release);
    }
}
