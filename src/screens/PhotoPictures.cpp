#include "screens/PhotoPictures.h"

#include "util/PhotoPipelineDecoder.h"
#include "util/PhotoStamping.h"
#include "util/PublicFunction.h"

namespace {

constexpr int kPixelsPerPoint = 2;
constexpr int kFrameWidth = 30; // both sides together

const QImage& photoFrame() {
    static const QImage frame(QStringLiteral(":/photoframe.png"));
    return frame;
}

// The largest photo, in pixels, that fits pointSize once framed.
QSize innerPixels(QSize pointSize) {
    return (pointSize * kPixelsPerPoint - QSize(kFrameWidth, kFrameWidth)).expandedTo(QSize(1, 1));
}

QPixmap framed(const QImage& small) {
    if (small.isNull()) return QPixmap();
    QPixmap picture =
        QPixmap::fromImage(PublicFunction::addBorderToImageFrameImage(small, photoFrame()));
    picture.setDevicePixelRatio(kPixelsPerPoint);
    return picture;
}

} // namespace

QPixmap framedPhotoPicture(const QImage& photo, QSize pointSize) {
    if (photo.isNull()) return QPixmap();
    const QSize inner = innerPixels(pointSize);
    const QSize size = shrunkPixelSize(photo.size(), inner.width(), inner.height());
    return framed(size == photo.size()
                      ? photo
                      : photo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QPixmap framedPhotoPictureOfJpeg(const QByteArray& jpeg, QSize pointSize) {
    QString error;
    return framed(decodeShrunkPhoto(jpeg, innerPixels(pointSize), &error));
}
