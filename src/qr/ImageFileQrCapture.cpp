#include "qr/ImageFileQrCapture.h"

#include "platform/Platform.h"
#include "qr/VideoFrame.h"

#include <QPainter>
#include <QTransform>

namespace {

// Leaves a white border inside the region, so that the code keeps a quiet
// zone even when the picture has none.
constexpr double kFill = 0.9;

QImage frameShowing(const QImage& upright, const QRectF& region) {
    // The camera's frames lie a quarter turn counter-clockwise of what the
    // screen shows.
    const QImage turned = upright.transformed(QTransform().rotate(-90));
    QImage frame(kVideoFrameSize, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::white);
    const QRectF area(region.x() * frame.width(), region.y() * frame.height(),
                      region.width() * frame.width(), region.height() * frame.height());
    const QSizeF fitted = QSizeF(turned.size()).scaled(area.size() * kFill, Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(area.center());
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, turned);
    return frame;
}

} // namespace

ImageFileQrCapture::ImageFileQrCapture(QImage upright) : upright_(std::move(upright)) {}

ImageFileQrCapture::~ImageFileQrCapture() {
    stopFrames();
}

void ImageFileQrCapture::startFrames() {
    // Drawn afresh at each start: the region may have moved.
    frame_ = frameShowing(upright_, regionOfInterest());
    scheduleFrame();
}

void ImageFileQrCapture::stopFrames() {
    if (timer_) platform().loop->cancel(*timer_);
    timer_.reset();
}

void ImageFileQrCapture::scheduleFrame() {
    timer_ = platform().loop->after(kVideoFrameInterval, [this] {
        timer_.reset();
        scheduleFrame();
        deliverFrame(frame_);
    });
}
