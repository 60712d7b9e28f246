#include "screens/PhotoZoomArea.h"

#include <QLineF>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QTouchEvent>
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
    setAttribute(Qt::WA_AcceptTouchEvents);
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

void PhotoZoomArea::zoomBy(float factor, const QPointF& at) {
    if (!view_) return;
    const QRectF frame =
        centeredFrameForScrollViewAndUIView(QSizeF(size()), content_ * scale_).translated(-offset_);
    // The point of the unzoomed view under at.
    const QPointF under = (at - frame.topLeft()) / scale_;
    const float before = scale_;
    scale_ = std::clamp(scale_ * factor, minimum_, std::max(minimum_, maximum_));
    if (scale_ != before) offset_ = under * scale_ - at;
    layoutView();
    emit didZoom();
}

void PhotoZoomArea::panBy(const QPointF& moved) {
    offset_ -= moved;
    layoutView();
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
    panBy(event->position() - dragFrom_);
    dragFrom_ = event->position();
}

bool PhotoZoomArea::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return touch(static_cast<QTouchEvent*>(event));
    default:
        break;
    }
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomBy(float(1 + gesture->value()), gesture->position());
            return true;
        }
    }
    return QWidget::event(event);
}

bool PhotoZoomArea::touch(QTouchEvent* event) {
    QList<QPointF> fingers;
    if (event->type() != QEvent::TouchEnd && event->type() != QEvent::TouchCancel)
        for (const QEventPoint& point : event->points())
            if (point.state() != QEventPoint::Released) fingers << point.position();
    if (fingers.size() >= 2) {
        const QPointF middle = (fingers[0] + fingers[1]) / 2;
        const qreal span = QLineF(fingers[0], fingers[1]).length();
        if (pinchSpan_ > 0 && span > 0) {
            panBy(middle - dragFrom_);
            zoomBy(float(span / pinchSpan_), middle);
        }
        pinchSpan_ = span;
        dragFrom_ = middle;
    } else if (fingers.size() == 1) {
        // A finger left over from a pinch pans from where it is now.
        if (pinchSpan_ == 0 && event->type() == QEvent::TouchUpdate) panBy(fingers[0] - dragFrom_);
        pinchSpan_ = 0;
        dragFrom_ = fingers[0];
    } else {
        pinchSpan_ = 0;
    }
    event->accept();
    return true;
}
