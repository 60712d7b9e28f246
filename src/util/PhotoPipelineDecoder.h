#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Decodes a photo straight to the size PublicFunction's shrinking gives it
// for maxSize, upright as its EXIF orientation says. A JPEG is decoded at the
// smallest DCT scale (1/8, 1/4, 1/2 or 1) that still covers the target and
// then area-averaged to the exact size, so a 12-megapixel shot never lives in
// memory at full size. Other formats (and CMYK JPEGs) go through Qt's readers.
// Returns a null image and sets error when the bytes are not a whole picture
// or it would need more than kMaxDecodedBytes.
QImage decodeShrunkPhoto(const QByteArray& bytes, const QSize& maxSize, QString* error);

// The smallest of libjpeg-turbo's fast DCT scales (1/8, 1/4, 1/2, 1) whose
// output from a JPEG of size stored still covers target, as its denominator.
int dctScaleDenominator(const QSize& stored, const QSize& target);

// The most memory one decoded picture may take before shrinking.
inline constexpr qsizetype kMaxDecodedBytes = 128 * 1024 * 1024;
