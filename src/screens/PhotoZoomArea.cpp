#include "screens/PhotoZoomArea.h"

#include <QGestureEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

float fitZoomScale(const QSizeF& areaSize, const QSizeF& viewSize) {
    if (viewSize.isEmpty()) return 1;
    const float wr = float(areaSize.width()) / float(viewSize.width());
    const float hr = float(areaSize.height()) / float(viewSize.height());
    return std::min(wr, hr);
}

QRectF centeredFrameForScrollViewAndUIView(const QSizeF& boundsSize, const QSizeF& viewSize) {
    const qreal x =
        viewSize.width() < boundsSize.width() ? (boundsSize.width() - viewSize.width()) / 2 : 0;
    const qreal y =
        viewSize.height() < boundsSize.height() ? (boundsSize.height() - viewSize.height()) / 2 : 0;
    return QRectF(QPointF(x, y), viewSize);
}

PhotoZoomArea::PhotoZoomArea(QWidget* parent) : QWidget(parent) {
    grabGesture(Qt::PinchGesture);
}

void PhotoZoomArea::setZoomingView(QWidget* view, const QSizeF& contentSize) {
    view_ = view;
    content_ = contentSize;
    view_->setParent(this);
    view_->setAttribute(Qt::WA_TransparentForMouseEvents);
    view_->show();
    layoutView();
}

void PhotoZoomArea::setZoomScale(float scale) {
    scale_ = std::clamp(scale, minimum_, std::max(minimum_, maximum_));
    layoutView();
    emit didZoom();
}

void PhotoZoomArea::layoutView() {
    if (!view_) return;
    const QSizeF shown = content_ * scale_;
    const QSizeF room = QSizeF(size());
    offset_.setX(std::clamp(offset_.x(), 0.0, std::max(0.0, shown.width() - room.width())));
    offset_.setY(std::clamp(offset_.y(), 0.0, std::max(0.0, shown.height() - room.height())));
    const QRectF frame = centeredFrameForScrollViewAndUIView(room, shown).translated(-offset_);
    view_->setGeometry(frame.toRect());
}

void PhotoZoomArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutView();
}

void PhotoZoomArea::wheelEvent(QWheelEvent* event) {
    // One notch of a wheel (120) zooms by a fifth.
    setZoomScale(scale_ * float(std::pow(1.2, event->angleDelta().y() / 120.0)));
    event->accept();
}

void PhotoZoomArea::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position();
}

void PhotoZoomArea::mouseMoveEvent(QMouseEvent* event) {
    offset_ -= event->position() - dragFrom_;
    dragFrom_ = event->position();
    layoutView();
}

bool PhotoZoomArea::event(QEvent* event) {
    if (event->type() == QEvent::Gesture) return pinch(static_cast<QGestureEvent*>(event));
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            setZoomScale(scale_ * float(1 + gesture->value()));
            return true;
        }
    }
    return QWidget::event(event);
}

bool PhotoZoomArea::pinch(QGestureEvent* event) {
    auto* gesture = static_cast<QPinchGesture*>(event->gesture(Qt::PinchGesture));
    if (!gesture) return false;
    if (gesture->changeFlags() & QPinchGesture::ScaleFactorChanged)
        setZoomScale(scale_ * float(gesture->scaleFactor()));
    event->accept();
    return true;
}
