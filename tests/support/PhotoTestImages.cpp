#include "support/PhotoTestImages.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

QImage filledImage(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage redLeftBlueRight(int width, int height) {
    QImage image = filledImage(width, height, Qt::blue);
    QPainter(&image).fillRect(0, 0, width / 2, height, Qt::red);
    return image;
}

QByteArray jpegOf(const QImage& image, int quality, bool progressive) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int value : values)
        out.append(char(value));
    return out;
}

QByteArray bigEndian16(int value) {
    return bytes({value >> 8, value & 0xFF});
}

QByteArray segment(int marker, const QByteArray& body) {
    return bytes({0xFF, marker}) + bigEndian16(int(body.size()) + 2) + body;
}

} // namespace

QByteArray withExifOrientation(const QByteArray& jpeg, int orientation) {
    // Little-endian TIFF header, one IFD with one entry: tag 0x0112 (SHORT).
    const QByteArray exif =
        QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) +
        bytes({orientation, 0, 0, 0, 0, 0, 0, 0});
    return jpeg.left(2) + segment(0xE1, exif) + jpeg.mid(2);
}

QByteArray flatGreyJpeg(int width, int height, bool progressive) {
    // Quantisation all ones; one Huffman code "0" for DC difference 0 and
    // one for end-of-block, so each block is the bits "00" and decodes to 128.
    // A progressive picture has one scan, of the DC values alone: one bit a block.
    const QByteArray quant = QByteArray(1, 0) + QByteArray(64, 1);
    const QByteArray frame =
        QByteArray(1, 8) + bigEndian16(height) + bigEndian16(width) + bytes({1, 1, 0x11, 0});
    const auto table = [](char classAndId) {
        return QByteArray(1, classAndId) + QByteArray(1, 1) + QByteArray(15, 0) + QByteArray(1, 0);
    };
    const QByteArray scan = bytes({1, 1, 0, 0, progressive ? 0 : 63, 0});
    const qint64 bits = qint64((width + 7) / 8) * ((height + 7) / 8) * (progressive ? 1 : 2);
    QByteArray data((bits + 7) / 8, 0);
    if (bits % 8) data.back() = char(0xFF >> (bits % 8)); // pad with one-bits
    return bytes({0xFF, 0xD8}) + segment(0xDB, quant) + segment(progressive ? 0xC2 : 0xC0, frame) +
           segment(0xC4, table(0x00)) + segment(0xC4, table(0x10)) + segment(0xDA, scan) + data +
           bytes({0xFF, 0xD9});
}

PixelSpan pixelsWhere(const QImage& image, const QRect& area,
                      const std::function<bool(QColor)>& match) {
    PixelSpan span;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (match(image.pixelColor(x, y))) {
                ++span.count;
                span.bounds |= QRect(x, y, 1, 1);
            }
    return span;
}

bool isYellow(QColor c) {
    return c.red() > 200 && c.green() > 200 && c.blue() < 80;
}

bool isBlue(QColor c) {
    return c.blue() > 200 && c.red() < 80 && c.green() < 80;
}
