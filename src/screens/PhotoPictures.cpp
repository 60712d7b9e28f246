#include "screens/PhotoPictures.h"

#include "util/ParallelFor.h"
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

// The small photo in its frame, at two pixels per point. Only images are
// made here, so any thread may do it; pixmaps belong to the GUI thread.
QImage framedImage(const QImage& small) {
    if (small.isNull()) return QImage();
    QImage picture = PublicFunction::addBorderToImageFrameImage(small, photoFrame());
    picture.setDevicePixelRatio(kPixelsPerPoint);
    return picture;
}

QImage framedImageOfJpeg(const QByteArray& jpeg, QSize pointSize) {
    QString error;
    return framedImage(decodeShrunkPhoto(jpeg, innerPixels(pointSize), &error));
}

} // namespace

QPixmap framedPhotoPicture(const QImage& photo, QSize pointSize) {
    if (photo.isNull()) return QPixmap();
    const QSize inner = innerPixels(pointSize);
    const QSize size = shrunkPixelSize(photo.size(), inner.width(), inner.height());
    return QPixmap::fromImage(framedImage(
        size == photo.size() ? photo
                             : photo.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

QList<QPixmap> framedPhotoPicturesOfJpegs(const QList<PhotoPictureRequest>& requests) {
    photoFrame(); // loaded once, before the threads share it
    QList<QImage> images(requests.size());
    QImage* made = images.data(); // each call writes its own place only
    parallelFor(requests.size(), [&](qsizetype i) {
        made[i] = framedImageOfJpeg(requests[i].jpeg, requests[i].pointSize);
    });
    QList<QPixmap> pictures;
    pictures.reserve(images.size());
    for (const QImage& image : images)
        pictures.append(QPixmap::fromImage(image));
    return pictures;
}
