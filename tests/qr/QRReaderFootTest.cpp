#include "ReaderFixture.h"
#include "qr/VideoFrame.h"
#include "ui/ElidedLabel.h"

#include <QLabel>
#include <QPushButton>

namespace {

TEST_F(ReaderTest, TheFootBarShowsTheEquipmentNumberOfATwoFieldCode) {
    struct Case {
        QString code;
        QString label;
    };
    const Case cases[] = {
        {"A123,B456", "設備編號：A123"},
        {"A123", "未偵測到QRcode"},
        {"A123,B456,C789", "未偵測到QRcode"},
        {",B456", "設備編號："},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        TextDelegate delegate;
        QRReaderViewController* reader = open(&delegate, true);
        hold(c.code);
        EXPECT_EQ(reader->footLabel()->text(), "未偵測到QRcode") << "changed before the beep ended";
        fake.sound.finish();
        EXPECT_EQ(reader->footLabel()->text(), c.label);
        EXPECT_TRUE(camera().isRunning());
        EXPECT_TRUE(delegate.texts.isEmpty());

        press(reader);
        EXPECT_EQ(delegate.texts, QStringList{c.code});
        EXPECT_EQ(navigation.topViewController(), opener);
    }
}

TEST_F(ReaderTest, HoldingTheSameCodeAgainChangesNothing) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    hold(QStringLiteral("A123,B456"));
    fake.sound.finish();
    hold(QStringLiteral("A123,B456"));
    hold(QStringLiteral("A123,B456"));
    EXPECT_EQ(fake.sound.played.size(), 1);
    EXPECT_TRUE(camera().isRunning());
    EXPECT_EQ(reader->footLabel()->text(), "設備編號：A123");
    EXPECT_TRUE(delegate.texts.isEmpty());
}

TEST_F(ReaderTest, ConfirmingDeliversTheLatestCodeWithItsOwnFrame) {
    ImageDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    QImage first = whiteFrame();
    paintCentred(first, qrCode(QStringLiteral("A1,B1")), QPoint(300, 230));
    QImage second = whiteFrame();
    paintCentred(second, qrCode(QStringLiteral("A2,B2")), QPoint(340, 250));

    camera().show(first);
    fake.sound.finish();
    camera().show(second);
    fake.sound.finish();
    EXPECT_EQ(reader->footLabel()->text(), "設備編號：A2");
    camera().show(whiteFrame()); // later frames do not replace the kept one
    EXPECT_EQ(reader->scanImage(), imageFromSampleBuffer(whiteFrame()));

    press(reader);
    EXPECT_EQ(delegate.imageTexts, QStringList{"A2,B2"});
    ASSERT_EQ(delegate.images.size(), 1);
    EXPECT_EQ(delegate.images[0], imageFromSampleBuffer(second));
}

TEST_F(ReaderTest, ConfirmingBeforeAnyCodeStopsTheCameraAndDeliversNothing) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    press(reader);
    EXPECT_FALSE(camera().isRunning());
    EXPECT_TRUE(delegate.texts.isEmpty());
    EXPECT_EQ(navigation.topViewController(), reader);
    hold(QStringLiteral("A1,B2"));
    EXPECT_FALSE(reader->hasScan());
}

TEST_F(ReaderTest, TheFootBarIgnoresTouchesWhileTheBeepPlays) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    hold(QStringLiteral("A1,B2"));
    press(reader);
    EXPECT_TRUE(delegate.texts.isEmpty());
    fake.sound.finish();
    press(reader);
    EXPECT_EQ(delegate.texts, QStringList{"A1,B2"});
}

// A long equipment number is shortened with "…" before the button on a phone
// and shown whole on a tablet, where it fits.
TEST_F(ReaderTest, ALongEquipmentNumberIsShortenedWhereItCannotFit) {
    const QString number = "ABCDEFGHIJKLMNOPQRSTUVWX";
    struct Case {
        bool tablet;
        QSizeF screen;
        bool whole;
    };
    for (const Case c : {Case{false, {320, 568}, false}, Case{true, {768, 1024}, true}}) {
        SCOPED_TRACE(c.tablet ? "tablet" : "phone");
        fake.device.tablet = c.tablet;
        fake.device.size = c.screen;
        TextDelegate delegate;
        QRReaderViewController* reader = open(&delegate, true);
        hold(number + ",B456");
        fake.sound.finish();
        auto* label = dynamic_cast<ElidedLabel*>(reader->footLabel());
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "設備編號：" + number) << "the text itself stays whole";
        EXPECT_LE(label->geometry().right(), reader->footBtn()->geometry().left());
        if (c.whole) {
            EXPECT_EQ(label->shownText(), label->text());
        } else {
            EXPECT_TRUE(label->shownText().endsWith("…")) << label->shownText().toStdString();
            EXPECT_TRUE(label->shownText().startsWith("設備編號：ABC"));
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()),
                      label->contentsRect().width());
        }
        press(reader);
    }
}

} // namespace
