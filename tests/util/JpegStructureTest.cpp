#include "support/PhotoTestImages.h"
#include "util/JpegStructure.h"

#include <gtest/gtest.h>

namespace {

TEST(JpegStructure, TellsAWholeJpegFromOneCutShort) {
    for (bool progressive : {false, true}) {
        const QByteArray whole = jpegOf(redLeftBlueRight(64, 48), 95, progressive);
        ASSERT_FALSE(whole.isEmpty());
        EXPECT_TRUE(isWholeJpeg(whole)) << progressive;
        EXPECT_TRUE(isWholeJpeg(whole + "trailing bytes")) << progressive;
        for (qsizetype cut : {qsizetype(2), whole.size() / 3, whole.size() / 2, whole.size() - 1})
            EXPECT_FALSE(isWholeJpeg(whole.left(cut))) << progressive << " cut at " << cut;
    }
    for (const QByteArray& other : {QByteArray(), QByteArray("\xFF\xD8"), QByteArray("GIF89a..."),
                                    QByteArray("\xFF\xD8\xFF\xE0\x00\x01", 6)})
        EXPECT_FALSE(isWholeJpeg(other)) << other.toHex().toStdString();
}

} // namespace
