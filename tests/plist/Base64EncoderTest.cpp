// The encoder against Qt's Base64 cut into lines: every length around the
// widths it works in (three, six and twenty-four bytes at a time, the line), every
// byte value in every place of a group.
#include "plist/Base64Encoder.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QByteArray encodedLines(const QByteArray& bytes, qsizetype lineBytes) {
    QByteArray out(base64LinesSize(bytes.size(), lineBytes), '?');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const char* end = encodeBase64Lines(in, bytes.size(), lineBytes, out.data());
    EXPECT_EQ(end, out.constData() + out.size()) << bytes.size();
    return out;
}

QByteArray qtLines(const QByteArray& bytes, qsizetype lineBytes) {
    QByteArray lines;
    for (qsizetype at = 0; at < bytes.size(); at += lineBytes)
        lines += bytes.mid(at, lineBytes).toBase64() + '\n';
    return lines;
}

TEST(Base64Encoder, WritesWhatQtWritesForEveryLengthAndLine) {
    QRandomGenerator random(3);
    for (int size = 0; size <= 130; ++size) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        for (const qsizetype lineBytes : {3, 12, 24, 48, 57, 3 << 20})
            EXPECT_EQ(encodedLines(bytes, lineBytes), qtLines(bytes, lineBytes))
                << size << " in lines of " << lineBytes;
    }
}

TEST(Base64Encoder, EveryByteValueInEveryPlaceOfAGroup) {
    QByteArray bytes;
    for (int value = 0; value < 256; ++value)
        bytes += QByteArray(1, char(value)) + char(255 - value) + char(value * 7);
    for (int shift = 0; shift < 3; ++shift)
        EXPECT_EQ(encodedLines(bytes.mid(shift), 57), qtLines(bytes.mid(shift), 57)) << shift;
}

} // namespace
