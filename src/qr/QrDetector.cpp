#include "qr/QrDetector.h"

// Results then hand out their text as UTF-8.
#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <QtEndian>
#include <algorithm>

namespace {

// Below this short side, in pixels, a copy is too small to be worth shrinking
// further; a picture itself that small is read enlarged too.
constexpr int kSmallSide = 80;

// A view of the image for the decoder; image must outlive it.
ZXing::ImageView viewOf(const QImage& image) {
    const auto bytes = image.constBits();
    if (image.format() == QImage::Format_Grayscale8)
        return {bytes, image.width(), image.height(), ZXing::ImageFormat::Lum,
                int(image.bytesPerLine())};
    // 32-bit pixels are stored as native integers 0xAARRGGBB.
    const auto format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? ZXing::ImageFormat::BGRX
                                                                      : ZXing::ImageFormat::XRGB;
    return {bytes, image.width(), image.height(), format, int(image.bytesPerLine())};
}

bool isReadable(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

QStringList read(const ZXing::ImageView& view, const ZXing::DecodeHints& hints) {
    QStringList texts;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (!result.isValid()) continue;
        const QString text = QString::fromStdString(result.text());
        if (!texts.contains(text)) texts << text;
    }
    return texts;
}

ZXing::DecodeHints frameHints() {
    return ZXing::DecodeHints()
        .setFormats(ZXing::BarcodeFormat::QRCode)
        .setTryHarder(true)
        .setTryRotate(false)
        .setTryDownscale(false);
}

} // namespace

QStringList readQrCodesInRegion(const QImage& frame, const QRectF& region) {
    if (frame.isNull()) return {};
    const QImage image = isReadable(frame) ? frame : frame.convertToFormat(QImage::Format_RGB32);
    const QRect pixels = QRectF(region.x() * image.width(), region.y() * image.height(),
                                region.width() * image.width(), region.height() * image.height())
                             .toAlignedRect()
                             .intersected(image.rect());
    if (pixels.isEmpty()) return {};
    return read(viewOf(image).cropped(pixels.x(), pixels.y(), pixels.width(), pixels.height()),
                frameHints());
}

QStringList readQrCodesInPicture(const QImage& picture) {
    const ZXing::DecodeHints hints = ZXing::DecodeHints()
                                         .setFormats(ZXing::BarcodeFormat::QRCode)
                                         .setTryHarder(true)
                                         .setTryRotate(true)
                                         .setTryDownscale(true);
    QStringList texts;
    const auto gather = [&](const QImage& image) {
        for (const QString& text : read(viewOf(image), hints))
            if (!texts.contains(text)) texts << text;
    };
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull()) return texts;
    gather(grey);
    // Noise and blur of a large photograph can hide a code that a smoothly
    // shrunk copy still shows, and each size may find codes the others miss:
    // read every size down to where a copy gets too small to hold a code.
    for (QImage smaller =
             grey.scaled(grey.size() * 4 / 5, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
         std::min(smaller.width(), smaller.height()) >= kSmallSide;
         smaller = smaller.scaled(smaller.size() * 4 / 5, Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation))
        gather(smaller);
    // A small picture (a code saved at a few pixels per module) is also read
    // enlarged, each pixel repeated, so that its modules stay sharp; a long
    // thin strip is not blown up beyond a sensible size.
    const int shortSide = std::min(grey.width(), grey.height());
    const int longSide = std::max(grey.width(), grey.height());
    for (int factor = 2; shortSide * (factor - 1) < kSmallSide && longSide * factor <= 2000;
         ++factor)
        gather(grey.scaled(grey.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return texts;
}
