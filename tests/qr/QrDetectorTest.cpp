#include "qr/QrDetector.h"
#include "fixtures/QrImages.h"
#include "fixtures/QtPrinters.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The scan square of a 320 x 568 phone, in the frame's landscape axes.
const QRectF kPhoneRegion(140.0 / 568, 48.0 / 320, 224.0 / 568, 224.0 / 320);

// A soft copy: shrunk and blown up again.
QImage blurred(const QImage& image, int factor) {
    return image.scaled(image.size() / factor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TEST(QrDetector, ReadsPayloadsOfEveryKind) {
    const QString payloads[] = {
        QStringLiteral("A12345,B67890"),
        QStringLiteral("許可證,台北市中正區重慶南路一段122號"),
        QStringLiteral("http://permit.example.gov.tw/query?city=63&ipno=A12345"),
        QString(900, QLatin1Char('x')) + QStringLiteral(",F1"),
    };
    for (const QString& payload : payloads) {
        SCOPED_TRACE(payload.left(40).toStdString());
        const int module = payload.size() > 200 ? 2 : 4;
        EXPECT_EQ(readQrCodesInRegion(frameWithCode(qrCode(payload, module))),
                  QStringList{payload});
    }
}

TEST(QrDetector, ReadsBytesThatAreNotUtf8WithoutFailing) {
    const QByteArray bytes("\xff\xfe\x00\x01\x80 A123,B\xc3", 12);
    const QStringList texts = readQrCodesInRegion(frameWithCode(qrCodeOfBytes(bytes)));
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("A123,B")));
}

TEST(QrDetector, ReadsEveryCodeOfAFrameOnce) {
    QImage frame = whiteFrame();
    paintCentred(frame, qrCode(QStringLiteral("LEFT,1")), QPoint(160, 240));
    paintCentred(frame, qrCode(QStringLiteral("RIGHT,2")), QPoint(480, 240));
    QStringList texts = readQrCodesInRegion(frame);
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("LEFT,1"), QStringLiteral("RIGHT,2")}));
}

TEST(QrDetector, ReadsOnlyInsideTheRegion) {
    const QImage code = qrCode(QStringLiteral("A1,B2"), 3);
    struct Case {
        const char* name;
        QPoint centre;
        bool read;
    };
    const Case cases[] = {
        {"in the middle", QPoint(320, 240), true},
        {"beside the square", QPoint(75, 240), false},
        {"half across its edge", QPoint(158, 240), false},
        {"across its top", QPoint(320, 72), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage frame = whiteFrame();
        paintCentred(frame, code, c.centre);
        EXPECT_EQ(readQrCodesInRegion(frame, kPhoneRegion).size(), c.read ? 1 : 0);
        // The whole frame shows every one of them.
        EXPECT_EQ(readQrCodesInRegion(frame).size(), 1);
    }
}

TEST(QrDetector, ReadsTiltedAndSoftCodes) {
    const QImage code = qrCode(QStringLiteral("A12345,B67890"), 4);
    for (double degrees : {10.0, 30.0, 45.0, 170.0}) {
        SCOPED_TRACE(degrees);
        QImage frame = whiteFrame();
        paintCentred(frame, code, QPoint(320, 240), degrees);
        EXPECT_EQ(readQrCodesInRegion(frame, kPhoneRegion), QStringList{"A12345,B67890"});
    }
    EXPECT_EQ(readQrCodesInRegion(blurred(frameWithCode(code), 2), kPhoneRegion),
              QStringList{"A12345,B67890"});
}

TEST(QrDetector, FindsNothingWhereThereIsNoCode) {
    QImage noise = whiteFrame();
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.bounded(2) ? 0xff000000u : 0xffffffffu);
    EXPECT_TRUE(readQrCodesInRegion(noise).isEmpty());
    EXPECT_TRUE(readQrCodesInRegion(whiteFrame()).isEmpty());
    EXPECT_TRUE(readQrCodesInRegion(QImage()).isEmpty());
    EXPECT_TRUE(readQrCodesInRegion(frameWithCode(qrCode("A1,B2")), QRectF()).isEmpty());
    EXPECT_TRUE(readQrCodesInPicture(QImage()).isEmpty());
}

TEST(QrDetector, ReadsFramesOfOtherPixelFormats) {
    const QImage frame = frameWithCode(qrCode(QStringLiteral("A1,B2")));
    for (QImage::Format format :
         {QImage::Format_RGB888, QImage::Format_Grayscale8, QImage::Format_Indexed8}) {
        SCOPED_TRACE(int(format));
        EXPECT_EQ(readQrCodesInRegion(frame.convertToFormat(format)), QStringList{"A1,B2"});
    }
}

// The code seen from aside: its corners moved to the given fractions of its side.
QImage seenAtAnAngle(const QImage& code, const QPolygonF& corners) {
    const double side = code.width();
    QPolygonF to;
    for (const QPointF& corner : corners)
        to << corner * side;
    QTransform transform;
    const QPolygonF from{{0, 0}, {side, 0}, {side, side}, {0, side}};
    EXPECT_TRUE(QTransform::quadToQuad(from, to, transform));
    QImage photo(code.size(), QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(transform);
    painter.drawImage(0, 0, code);
    return photo;
}

TEST(QrDetector, ReadsPhotosAtAnAngleThatOnlyASmallerCopyShows) {
    // A one-version code has no alignment mark, so a steep view defeats
    // reading at full size.
    const QImage code = qrCode(QStringLiteral("A12345,B67890"), 8);
    const QPolygonF views[] = {
        {{0.130, 0.043}, {0.858, 0.013}, {0.959, 0.830}, {0.245, 0.775}},
        {{0.087, 0.031}, {0.902, 0.012}, {0.968, 0.735}, {0.043, 0.782}},
    };
    for (const QPolygonF& view : views) {
        const QImage photo = seenAtAnAngle(code, view);
        EXPECT_TRUE(readQrCodesInRegion(photo).isEmpty());
        EXPECT_EQ(readQrCodesInPicture(photo), QStringList{"A12345,B67890"});
    }
}

} // namespace
