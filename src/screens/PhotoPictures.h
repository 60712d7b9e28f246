#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>

// The framed pictures the photo screens show. Each is made once per photo,
// small, at two pixels per point: a row never decodes or frames the full
// photo again when it is drawn.

// The photo shrunk to fit within pointSize with its frame ("photoframe.png"),
// a null pixmap for a null photo.
QPixmap framedPhotoPicture(const QImage& photo, QSize pointSize);

// A stored photo and the size, in points, its picture must fit.
struct PhotoPictureRequest {
    QByteArray jpeg;
    QSize pointSize;
};

// The framed pictures of stored photos, in the order asked: each photo's JPEG
// bytes decoded straight at the small size, a null pixmap for bytes that are
// not a picture. The photos are decoded side by side on the processor's cores.
QList<QPixmap> framedPhotoPicturesOfJpegs(const QList<PhotoPictureRequest>& requests);
