#include "qr/QrPreviewView.h"

#include <QPainter>

QrPreviewView::QrPreviewView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QrPreviewView::setImage(const QImage& image) {
    image_ = image;
    update();
}

void QrPreviewView::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (image_.isNull()) return;
    const QSize filled = image_.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
    const QRect target(QPoint((width() - filled.width()) / 2, (height() - filled.height()) / 2),
                       filled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}
