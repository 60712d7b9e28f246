#include "ui/ProgressOverlay.h"

#include "platform/Platform.h"
#include "platform/qt/QtAlertPresenter.h"
#include "platform/qt/UserInput.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double kTurnSeconds = 0.08;

} // namespace

ProgressOverlay::ProgressOverlay(QWidget* target, const QString& label, Box box)
    : QWidget(target), label_(label), box_(box) {
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(target->rect());
    // Watches every object of the app: input to the covered area is dropped
    // wherever it is addressed, focus included.
    QCoreApplication::instance()->installEventFilter(this);
}

ProgressOverlay::~ProgressOverlay() {
    QCoreApplication::instance()->removeEventFilter(this);
}

ProgressOverlay* ProgressOverlay::showOver(QWidget* target, const QString& label, Box box) {
    auto* overlay = new ProgressOverlay(target, label, box);
    QtAlertPresenter::raiseBelowAlerts(overlay);
    overlay->show();
    overlay->focusBefore_ = QApplication::focusWidget();
    // An alert on screen keeps the keyboard.
    if (!QtAlertPresenter::currentLayer(overlay->window())) overlay->setFocus();
    overlay->turn();
    return overlay;
}

void ProgressOverlay::hideOverlay() {
    if (!shown_) return;
    shown_ = false;
    QCoreApplication::instance()->removeEventFilter(this);
    const bool hadFocus = hasFocus();
    hide();
    if (hadFocus && focusBefore_) focusBefore_->setFocus();
    deleteLater();
}

bool ProgressOverlay::covers(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget == this || !parentWidget()) return false;
    // Alerts stand above every overlay and keep their input: a sending run
    // asks its questions while its overlay shows.
    const QWidget* alerts = QtAlertPresenter::currentLayer(window());
    if (alerts && (widget == alerts || alerts->isAncestorOf(widget))) return false;
    return widget == parentWidget() || parentWidget()->isAncestorOf(widget);
}

bool ProgressOverlay::focusNextPrevChild(bool) {
    return true; // focus stays on the overlay
}

bool ProgressOverlay::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride) { // no shortcut fires under it
        e->accept();
        return true;
    }
    return QWidget::event(e);
}

void ProgressOverlay::turn() {
    if (!shown_) return;
    angle_ = (angle_ + 30) % 360;
    update();
    QPointer<ProgressOverlay> self(this);
    platform().loop->after(kTurnSeconds, [self] {
        if (self) self->turn();
    });
}

bool ProgressOverlay::eventFilter(QObject* watched, QEvent* event) {
    // Keep covering the target when it is resized.
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget*>(parent())->rect());
    if (!shown_ || !covers(watched)) return false;
    if (event->type() == QEvent::FocusIn) { // focus that enters lands on the overlay
        setFocus();
        return false;
    }
    if (!isUserInput(event)) return false;
    event->accept();
    return true;
}

void ProgressOverlay::mousePressEvent(QMouseEvent* e) {
    e->accept();
}
void ProgressOverlay::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
}
void ProgressOverlay::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
}
void ProgressOverlay::wheelEvent(QWheelEvent* e) {
    e->accept();
}
void ProgressOverlay::keyPressEvent(QKeyEvent* e) {
    e->accept();
}

void ProgressOverlay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QSize boxSize = label_.isEmpty() ? QSize(60, 60) : QSize(140, 100);
    const QRectF boxRect(
        QPointF((width() - boxSize.width()) / 2.0, (height() - boxSize.height()) / 2.0), boxSize);
    if (box_ == Box::Dimmed) {
        p.setOpacity(0.6);
        QPainterPath path;
        path.addRoundedRect(boxRect, 10, 10);
        p.fillPath(path, Qt::black);
        p.setOpacity(1.0);
    }
    const QColor ink = box_ == Box::Dimmed ? Qt::white : Qt::darkGray;
    const QPointF centre(boxRect.center().x(), boxRect.top() + 32);
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre - QPointF(14, 14), QSizeF(28, 28)), -angle_ * 16, 270 * 16);
    if (!label_.isEmpty()) {
        p.setPen(ink);
        p.drawText(QRectF(boxRect.left(), boxRect.top() + 56, boxRect.width(), 30), Qt::AlignCenter,
                   label_);
    }
}

WindowIndicator::WindowIndicator(QWidget* window) : window_(window) {}

WindowIndicator::~WindowIndicator() {
    stop();
}

void WindowIndicator::start(const QString& label) {
    stop();
    if (window_) overlay_ = ProgressOverlay::showOver(window_, label, ProgressOverlay::Box::Dimmed);
}

void WindowIndicator::stop() {
    if (overlay_) overlay_->hideOverlay();
    overlay_ = nullptr;
}
