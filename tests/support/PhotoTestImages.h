#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>

// Pictures and JPEG files made on the spot for the photo tests.

// An opaque picture of one colour.
QImage filledImage(int width, int height, QColor color);

// An opaque picture with its left half red and its right half blue.
QImage redLeftBlueRight(int width, int height);

// The picture as JPEG bytes, written by Qt's own encoder.
QByteArray jpegOf(const QImage& image, int quality = 95, bool progressive = false);

// The JPEG with an EXIF block that gives its orientation (1-8).
QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);

// A mid-grey baseline JPEG of any size, written by hand: every 8 x 8 block
// takes two bits, so even 20000 x 20000 is a file of 1.5 MB. A progressive
// one holds the DC scan alone (one bit a block).
QByteArray flatGreyJpeg(int width, int height, bool progressive = false);

// Within area of image, the pixels for which match holds.
struct PixelSpan {
    int count = 0;
    QRect bounds; // the smallest rectangle holding them all
};
PixelSpan pixelsWhere(const QImage& image, const QRect& area,
                      const std::function<bool(QColor)>& match);

bool isYellow(QColor c); // the check number's ink
bool isBlue(QColor c);   // the name's ink
