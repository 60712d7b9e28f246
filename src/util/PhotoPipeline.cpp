#include "util/PhotoPipeline.h"

#include "platform/Platform.h"
#include "util/PhotoPipelineDecoder.h"
#include "util/PhotoPipelineTurboJpeg.h"
#include "util/PublicFunction.h"

namespace {

constexpr int kLargestSide = 1000;

} // namespace

std::optional<QByteArray> encodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) return std::nullopt;
    const QImage pixels = image.format() == QImage::Format_RGB32 ||
                                  image.format() == QImage::Format_ARGB32_Premultiplied
                              ? image
                              : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const TjHandle handle(tjInitCompress());
    if (!handle) return std::nullopt;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const int status =
        tjCompress2(handle.get(), pixels.constBits(), pixels.width(), pixels.bytesPerLine(),
                    pixels.height(), kQImagePixelFormat, &buffer, &size, TJSAMP_420, quality, 0);
    const TjBuffer owned(buffer);
    if (status != 0) return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
}

std::optional<QByteArray> stampTakenPhoto(const QByteArray& cameraJpeg, const QString& chkno,
                                          const std::optional<QString>& inspectorName) {
    std::optional<StampedPhoto> stamped =
        stampTakenPhotoWithImage(cameraJpeg, chkno, inspectorName);
    if (!stamped) return std::nullopt;
    return std::move(stamped->jpeg);
}

std::optional<StampedPhoto> stampTakenPhotoWithImage(const QByteArray& cameraJpeg,
                                                     const QString& chkno,
                                                     const std::optional<QString>& inspectorName) {
    QString error;
    QImage photo = decodeShrunkPhoto(cameraJpeg, QSize(kLargestSide, kLargestSide), &error);
    if (photo.isNull()) {
        logLine(QStringLiteral("photo not stamped: ") + error);
        return std::nullopt;
    }
    photo = PublicFunction::drawTextInImageAtPoint(chkno, photo, QPointF(photo.width() - 180, 0));
    if (inspectorName) photo = PublicFunction::drawNameTextInImage(*inspectorName, photo);
    auto jpeg = encodeJpeg(photo, 100);
    if (!jpeg) {
        logLine(QStringLiteral("photo not stamped: JPEG encoding failed"));
        return std::nullopt;
    }
    return StampedPhoto{std::move(*jpeg), std::move(photo)};
}
