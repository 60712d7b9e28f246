#pragma once

#include <QByteArray>
#include <QImage>

// JPEG files in the forms cameras, scanners and editors write but Qt's
// writer cannot: CMYK and YCCK, odd chroma sampling, arithmetic coding.
struct JpegForm {
    enum class Colors { YCbCr, Cmyk, Ycck };
    Colors colors = Colors::YCbCr;
    int lumaH = 2, lumaV = 2; // luma sampling factors of a YCbCr picture (chroma 1 x 1)
    bool progressive = false;
    bool arithmetic = false;
};

// The rows of the picture, repeated downwards to height rows, as a JPEG
// written by libjpeg at quality 90. Made row by row, so a large picture
// takes little more memory than its file.
QByteArray libjpegFile(const QImage& rows, int height, const JpegForm& form);
