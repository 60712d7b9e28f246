#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

// One JPEG decoded with libjpeg straight into a 32-bit picture, at a reduced
// DCT scale, in colour, grey or CMYK/YCCK alike. It tells a picture whose
// every line was decoded from one cut short or corrupt: harmless faults
// (stray bytes before a marker, a missing end marker after complete scan
// data) are let pass, missing data is not.
class JpegDecoder {
  public:
    // The bytes must outlive the decoder.
    explicit JpegDecoder(const QByteArray& bytes);
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Reads the header up to the first scan; once, first. Returns false, with
    // error() saying why, when the bytes are not a JPEG.
    bool readHeader();

    // The picture's size as stored. Only after readHeader.
    QSize size() const;

    // The bytes libjpeg keeps for the coefficients of the whole picture while
    // it decodes one of several scans (a progressive one), at any output
    // scale; 0 for a picture in one scan. Only after readHeader.
    qint64 coefficientBytes() const;

    // Decodes the picture at 1/denominator of its size (1, 2, 4 or 8), upright
    // as stored, opaque. Returns a null image, with error() saying why, when
    // the picture is broken or cut short. Once only, after readHeader.
    QImage decode(int denominator);

    QString error() const;

  private:
    struct State;

    bool start(int denominator);
    bool readLines(uchar* bits, qsizetype bytesPerLine);
    bool finish();

    std::unique_ptr<State> s_;
};
