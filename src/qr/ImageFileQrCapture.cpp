#include "qr/ImageFileQrCapture.h"

#include "platform/Platform.h"
#include "qr/VideoFrame.h"

#include <QPainter>
#include <QTransform>

namespace {

QImage landscapeFrameOf(const QImage& upright) {
    // The camera's frames lie a quarter turn counter-clockwise of what the
    // screen shows.
    const QImage turned = upright.transformed(QTransform().rotate(-90));
    QImage frame(kVideoFrameSize, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::white);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fitted = turned.size().scaled(kVideoFrameSize, Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint((kVideoFrameSize.width() - fitted.width()) / 2,
                                   (kVideoFrameSize.height() - fitted.height()) / 2),
                            fitted),
                      turned);
    return frame;
}

} // namespace

ImageFileQrCapture::ImageFileQrCapture(const QImage& upright) : frame_(landscapeFrameOf(upright)) {}

ImageFileQrCapture::~ImageFileQrCapture() {
    stopFrames();
}

void ImageFileQrCapture::startFrames() {
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
