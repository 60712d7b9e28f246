#include "util/PhotoPipelineDecoder.h"

#include "util/JpegDecoder.h"
#include "util/PhotoPipelineTurboJpeg.h"
#include "util/PhotoStamping.h"
#include "util/PublicFunction.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>

namespace {

using Transformations = QImageIOHandler::Transformations;

QImage failure(QString* error, const QString& why) {
    if (error) *error = why;
    return QImage();
}

QSize transposedIf(bool transpose, const QSize& size) {
    return transpose ? size.transposed() : size;
}

// The EXIF orientation, read from the header alone.
Transformations orientationOf(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    return QImageReader(&buffer, "jpeg").transformation();
}

// Turns a picture as stored into the picture as seen: mirror and flip
// first, then a quarter turn clockwise, as Qt's own readers do.
QImage upright(const QImage& stored, Transformations transformations) {
    if (transformations == QImageIOHandler::TransformationNone) return stored;
    QImage image = stored.mirrored(transformations.testFlag(QImageIOHandler::TransformationMirror),
                                   transformations.testFlag(QImageIOHandler::TransformationFlip));
    if (transformations.testFlag(QImageIOHandler::TransformationRotate90))
        image = image.transformed(QTransform().rotate(90));
    return image;
}

// Pictures other than JPEG go to Qt's readers, PNG alone: its reader refuses
// a file cut short, where others (BMP, GIF) hand back what they could read.
QImage decodeWithQt(const QByteArray& bytes, const QSize& maxSize, QString* error) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    if (reader.format() != "png")
        return failure(error, QStringLiteral("not a JPEG or PNG picture"));
    reader.setAutoTransform(true);
    reader.setAllocationLimit(int(kMaxDecodedBytes / (1024 * 1024)));
    const QImage image = reader.read();
    if (image.isNull())
        return failure(error, QStringLiteral("not a picture: ") + reader.errorString());
    return PublicFunction::imageByShrinkingWithWidthWithHeight(image, maxSize.width(),
                                                               maxSize.height());
}

bool startsLikeJpeg(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xD8");
}

} // namespace

int dctScaleDenominator(const QSize& stored, const QSize& target) {
    for (int denominator : {8, 4, 2}) {
        const tjscalingfactor factor{1, denominator};
        if (TJSCALED(stored.width(), factor) >= target.width() &&
            TJSCALED(stored.height(), factor) >= target.height())
            return denominator;
    }
    return 1;
}

QImage decodeShrunkPhoto(const QByteArray& bytes, const QSize& maxSize, QString* error) {
    if (!startsLikeJpeg(bytes)) return decodeWithQt(bytes, maxSize, error);
    JpegDecoder jpeg(bytes);
    if (!jpeg.readHeader()) return failure(error, QStringLiteral("broken JPEG: ") + jpeg.error());

    const Transformations orientation = orientationOf(bytes);
    const bool quarterTurn = orientation.testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored = jpeg.size();
    const QSize target =
        transposedIf(quarterTurn, shrunkPixelSize(transposedIf(quarterTurn, stored),
                                                  maxSize.width(), maxSize.height()));
    const int denominator = dctScaleDenominator(stored, target);
    const tjscalingfactor factor{1, denominator};
    const QSize scaled(TJSCALED(stored.width(), factor), TJSCALED(stored.height(), factor));
    // Both bounds are known from the header, before any memory is taken.
    if (qint64(scaled.width()) * scaled.height() * 4 > kMaxDecodedBytes ||
        jpeg.coefficientBytes() > kMaxCoefficientBytes)
        return failure(
            error,
            QStringLiteral("picture too large: %1 x %2").arg(stored.width()).arg(stored.height()));

    QImage decoded = jpeg.decode(denominator);
    if (decoded.isNull()) return failure(error, QStringLiteral("broken JPEG: ") + jpeg.error());
    if (decoded.size() != target)
        decoded = decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return upright(decoded, orientation);
}
