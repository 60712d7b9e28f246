#include "qr/VideoFrame.h"

#include <QTransform>

QImage imageFromSampleBuffer(const QImage& frame) {
    if (frame.isNull()) return {};
    // B, G, R, A bytes in memory are Qt's native 32-bit ARGB on little-endian
    // machines; the frame's colours are taken as premultiplied, as delivered.
    return frame.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .transformed(QTransform().rotate(90));
}
