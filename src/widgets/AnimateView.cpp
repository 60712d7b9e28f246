#include "widgets/AnimateView.h"

#include "platform/Platform.h"

#include <QPainterPath>
#include <QRegion>

AnimateView::AnimateView(QWidget* parent)
    : QWidget(parent), cornerRadius_(platform().device->isTablet() ? 30 : 18) {}

void AnimateView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The mask clips the panel and every child to the rounded shape.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
}
