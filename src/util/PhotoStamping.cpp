#include "util/PhotoStamping.h"

#include "util/PublicFunction.h"
#include "util/SystemFont.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

constexpr QImage::Format kCanvasFormat = QImage::Format_ARGB32_Premultiplied;

// A new bitmap of the image's size holding the image: drawing onto a fully
// transparent bitmap is a plain copy, so a conversion does it.
QImage canvasWith(const QImage& image) {
    return image.convertToFormat(kCanvasFormat);
}

QImage transparentCanvas(const QSize& size) {
    QImage canvas(size, kCanvasFormat);
    canvas.fill(Qt::transparent);
    return canvas;
}

// Wraps at word boundaries and breaks a word only when it alone is wider
// than the line, so no part of a long check number falls off the picture.
QTextOption wrappedText(Qt::Alignment alignment) {
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

} // namespace

float shrinkRatio(const QSize& size, qreal maxWidth, qreal maxHeight) {
    const auto rw = static_cast<float>(maxWidth / size.width());
    const auto rh = static_cast<float>(maxHeight / size.height());
    return rw > rh ? rh : rw;
}

QSize scaledPixelSize(const QSize& size, float ratio) {
    const auto side = [ratio](int length) {
        return std::max(1, static_cast<int>(std::lround(length * static_cast<double>(ratio))));
    };
    return QSize(side(size.width()), side(size.height()));
}

QSize shrunkPixelSize(const QSize& size, qreal maxWidth, qreal maxHeight) {
    const float ratio = shrinkRatio(size, maxWidth, maxHeight);
    return ratio > 1.0f ? size : scaledPixelSize(size, ratio);
}

QImage PublicFunction::imageByShrinkingWithWidthWithHeight(const QImage& image, qreal width,
                                                           qreal height) {
    if (image.isNull()) return QImage();
    if (shrinkRatio(image.size(), width, height) > 1.0f) return image;
    // Smooth scaling down averages every source pixel into the target
    // (area averaging), so fine detail turns to its mean instead of aliasing.
    const QSize size = shrunkPixelSize(image.size(), width, height);
    return canvasWith(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage PublicFunction::drawTextInImageAtPoint(const QString& text, const QImage& image,
                                              QPointF /*point*/) {
    if (image.isNull()) return QImage();
    QImage out = canvasWith(image);
    if (out.width() <= 10) return out; // no room left of the margin
    QPainter painter(&out);
    painter.setFont(systemFont(24));
    painter.setPen(QColor::fromRgbF(1, 1, 0, 1));
    painter.drawText(QRectF(0, 0, out.width() - 10, out.height()), text,
                     wrappedText(Qt::AlignRight | Qt::AlignTop));
    return out;
}

QImage PublicFunction::drawNameTextInImage(const QString& text, const QImage& image) {
    if (image.isNull()) return QImage();
    QImage out = canvasWith(image);
    const int w = out.width();
    const int h = out.height();
    const QRectF box((w - 150) / 2.0, h - 46, 150, 40);
    const QRect area = box.toAlignedRect() & out.rect();
    if (area.isEmpty()) return out;

    // The box and its text are drawn on a layer of their own, which the
    // image's alpha (stretched into the box) then masks; the layer goes over
    // the photo last.
    QImage layer = transparentCanvas(area.size());
    {
        QPainter painter(&layer);
        painter.translate(-area.topLeft());
        painter.setClipRect(box);
        painter.fillRect(box, QColor::fromRgbF(1, 1, 1, 0.7f));
        painter.setFont(systemFont(32));
        painter.setPen(QColor::fromRgbF(0, 0, 1, 1));
        painter.drawText(QRectF(0, h - 46, w, 40), text,
                         wrappedText(Qt::AlignHCenter | Qt::AlignTop));
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(box, image);
    }
    QPainter(&out).drawImage(area.topLeft(), layer);
    return out;
}

QImage PublicFunction::addBorderToImageFrameImage(const QImage& image, const QImage& frameImage) {
    if (image.isNull()) return QImage();
    QImage out = transparentCanvas(image.size() + QSize(30, 30));
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!frameImage.isNull()) painter.drawImage(out.rect(), frameImage.mirrored(false, true));
    painter.drawImage(15, 15, image);
    return out;
}

QImage PublicFunction::imageByCornerRadiusWithRadius(const QImage& image, qreal radius) {
    if (image.isNull()) return QImage();
    QImage out = transparentCanvas(image.size());
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(image));
    painter.drawRoundedRect(QRectF(out.rect()), radius, radius);
    return out;
}
