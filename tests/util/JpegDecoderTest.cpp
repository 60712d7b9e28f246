#include "util/JpegDecoder.h"
#include "support/LibjpegFiles.h"
#include "support/PhotoTestImages.h"

#include <gtest/gtest.h>

namespace {

// What libjpeg allocates for the coefficients of a picture of several scans:
// every component's blocks, rounded up to whole MCUs, 128 bytes each.
TEST(JpegDecoder, CountsTheCoefficientsOfPicturesOfSeveralScans) {
    const struct {
        const char* name;
        QByteArray file;
        qint64 bytes;
    } cases[] = {
        {"one scan", flatGreyJpeg(10000, 8000), 0},
        {"progressive grey", flatGreyJpeg(10000, 8000, true), 1250 * 1000 * 128},
        // Luma 13 x 13 blocks rounded up to 14 x 14, chroma 7 x 7 twice.
        {"progressive 4:2:0", libjpegFile(redLeftBlueRight(100, 1), 100, {.progressive = true}),
         (14 * 14 + 2 * 7 * 7) * 128},
    };
    for (const auto& c : cases) {
        JpegDecoder decoder(c.file);
        ASSERT_TRUE(decoder.readHeader()) << c.name << ": " << decoder.error().toStdString();
        EXPECT_EQ(decoder.coefficientBytes(), c.bytes) << c.name;
    }
}

TEST(JpegDecoder, SaysWhyItRefusesAFile) {
    const QByteArray gif("GIF89a and more");
    JpegDecoder notJpeg(gif);
    EXPECT_FALSE(notJpeg.readHeader());
    EXPECT_FALSE(notJpeg.error().isEmpty());

    const QByteArray whole = jpegOf(redLeftBlueRight(640, 480));
    const QByteArray cut = whole.left(whole.size() / 2);
    JpegDecoder decoder(cut);
    ASSERT_TRUE(decoder.readHeader());
    EXPECT_TRUE(decoder.decode(2).isNull());
    EXPECT_EQ(decoder.error(), "Corrupt JPEG data: premature end of data segment");

    const QByteArray header = whole.left(300);
    JpegDecoder headerOnly(header);
    EXPECT_FALSE(headerOnly.readHeader());
    EXPECT_EQ(headerOnly.error(), "Premature end of JPEG file");
}

// Each scan makes libjpeg pass over the whole picture again: a small file
// of very many scans must not keep it busy for hours.
TEST(JpegDecoder, RefusesAFileOfTooManyScans) {
    const QByteArray endMarker("\xFF\xD9");
    const QByteArray dcOnly = flatGreyJpeg(8, 8, true);
    ASSERT_TRUE(dcOnly.endsWith(endMarker));
    // The first AC scan of the one block again and again: an end-of-block code.
    const QByteArray acScan = QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x00", 10) + '\x7F';
    for (int scans : {400, 600}) {
        const QByteArray file = dcOnly.chopped(2) + acScan.repeated(scans - 1) + endMarker;
        JpegDecoder decoder(file);
        ASSERT_TRUE(decoder.readHeader());
        decoder.decode(1);
        EXPECT_EQ(decoder.error() == "more than 500 scans", scans > 500)
            << decoder.error().toStdString();
    }
}

} // namespace
