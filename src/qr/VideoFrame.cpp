#include "qr/VideoFrame.h"

#include <QTransform>

QImage imageFromSampleBuffer(const QImage& frame) {
    if (frame.isNull()) return {};
    // B, G, R, A bytes in memory are Qt's native 32-bit ARGB on little-endian
    // machines; the frame's colours are taken as premultiplied, as delivered.
    return frame.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .transformed(QTransform().rotate(90));
}

QImage videoFrameFromCamera(const QImage& picture, int rotationDegrees, bool mirrored) {
    if (picture.isNull()) return {};
    const QImage upright = (mirrored ? picture.mirrored(true, false) : picture)
                               .transformed(QTransform().rotate(rotationDegrees));
    const QSize screen = kVideoFrameSize.transposed();
    const QImage filled =
        upright.size() == screen
            ? upright
            : upright.scaled(screen, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const QRect middle(
        QPoint((filled.width() - screen.width()) / 2, (filled.height() - screen.height()) / 2),
        screen);
    return filled.copy(middle)
        .transformed(QTransform().rotate(-90))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
