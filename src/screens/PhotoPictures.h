#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QSize>

// The framed pictures the photo screens show. Each is made once per photo,
// small, at two pixels per point: a row never decodes or frames the full
// photo again when it is drawn.

// The photo shrunk to fit within pointSize with its frame ("photoframe.png"),
// a null pixmap for a null photo.
QPixmap framedPhotoPicture(const QImage& photo, QSize pointSize);
// The same for stored JPEG bytes, decoded straight at the small size; a null
// pixmap when the bytes are not a picture.
QPixmap framedPhotoPictureOfJpeg(const QByteArray& jpeg, QSize pointSize);
