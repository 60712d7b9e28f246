#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Decodes a photo straight to the size PublicFunction's shrinking gives it
// for maxSize, upright as its EXIF orientation says. A JPEG is decoded at the
// smallest DCT scale (1/8, 1/4, 1/2 or 1) that still covers the target and
// then area-averaged to the exact size, so a 12-megapixel shot never lives in
// memory at full size. PNG pictures go through Qt's reader; other formats are
// refused. Returns a null image and sets error when the bytes are not a whole
// picture (a JPEG cut short or with data missing), or when decoding would
// need more than kMaxDecodedBytes or kMaxCoefficientBytes, which the header
// tells before any decoding.
QImage decodeShrunkPhoto(const QByteArray& bytes, const QSize& maxSize, QString* error);

// The smallest of libjpeg-turbo's fast DCT scales (1/8, 1/4, 1/2, 1) whose
// output from a JPEG of size stored still covers target, as its denominator.
int dctScaleDenominator(const QSize& stored, const QSize& target);

// The most memory one decoded picture may take before shrinking.
inline constexpr qsizetype kMaxDecodedBytes = 128 * 1024 * 1024;

// The most memory the coefficients of a JPEG of several scans (a progressive
// one) may take: libjpeg keeps all of them, whatever the output scale. Room
// for a 48-megapixel progressive photo with 4:2:0 chroma (137 MiB).
inline constexpr qsizetype kMaxCoefficientBytes = 144 * 1024 * 1024;
