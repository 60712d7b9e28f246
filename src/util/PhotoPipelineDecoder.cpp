#include "util/PhotoPipelineDecoder.h"

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

QImage decodeWithQt(const QByteArray& bytes, const QSize& maxSize, QString* error) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(int(kMaxDecodedBytes / (1024 * 1024)));
    const QImage image = reader.read();
    if (image.isNull())
        return failure(error, QStringLiteral("not a picture: ") + reader.errorString());
    return PublicFunction::imageByShrinkingWithWidthWithHeight(image, maxSize.width(),
                                                               maxSize.height());
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
    const TjHandle handle(tjInitDecompress());
    if (!handle) return failure(error, QStringLiteral("JPEG decoder unavailable"));
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle.get(), data, bytes.size(), &width, &height, &subsampling,
                            &colorspace) != 0 ||
        colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
        return decodeWithQt(bytes, maxSize, error);

    const Transformations orientation = orientationOf(bytes);
    const bool quarterTurn = orientation.testFlag(QImageIOHandler::TransformationRotate90);
    const QSize stored(width, height);
    const QSize target =
        transposedIf(quarterTurn, shrunkPixelSize(transposedIf(quarterTurn, stored),
                                                  maxSize.width(), maxSize.height()));
    const tjscalingfactor factor{1, dctScaleDenominator(stored, target)};
    const QSize scaled(TJSCALED(width, factor), TJSCALED(height, factor));
    if (qint64(scaled.width()) * scaled.height() * 4 > kMaxDecodedBytes)
        return failure(error, QStringLiteral("picture too large: %1 x %2").arg(width).arg(height));

    QImage decoded(scaled, QImage::Format_ARGB32_Premultiplied);
    if (decoded.isNull()) return failure(error, QStringLiteral("out of memory"));
    // A warning means part of the picture is missing (a cut-off file): such a
    // photo is refused rather than stored with a grey band.
    if (tjDecompress2(handle.get(), data, bytes.size(), decoded.bits(), scaled.width(),
                      decoded.bytesPerLine(), scaled.height(), kQImagePixelFormat,
                      TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS) != 0)
        return failure(error, QStringLiteral("broken JPEG: ") +
                                  QString::fromUtf8(tjGetErrorStr2(handle.get())));
    if (decoded.size() != target)
        decoded = decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return upright(decoded, orientation);
}
