#include "widgets/ImageButton.h"

#include <QPainter>

void ImageButton::setImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize shown = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                       shown);
    painter.drawImage(target, image_);
}
