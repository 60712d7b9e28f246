#include "ReaderFixture.h"
#include "qr/VideoFrame.h"

#include <QLabel>

namespace {

TEST_F(ReaderTest, DeliversACodeOnceTheBeepHasEndedWithItsFrameAndLeaves) {
    ImageDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    ASSERT_TRUE(camera().isRunning());
    const QImage frame = frameWithCode(qrCode(QStringLiteral("A12345,B67890")));

    camera().show(frame);
    EXPECT_EQ(fake.sound.played, QStringList{"Beep.wav"});
    EXPECT_FALSE(camera().isRunning());
    EXPECT_TRUE(delegate.imageTexts.isEmpty()) << "delivered before the beep ended";
    EXPECT_EQ(navigation.topViewController(), reader);

    fake.sound.finish();
    EXPECT_EQ(delegate.imageTexts, QStringList{"A12345,B67890"});
    ASSERT_EQ(delegate.images.size(), 1);
    EXPECT_EQ(delegate.images[0].size(), QSize(480, 640));
    EXPECT_EQ(delegate.images[0], imageFromSampleBuffer(frame));
    EXPECT_TRUE(delegate.texts.isEmpty()) << "both callbacks were called";
    EXPECT_EQ(navigation.viewControllers(), (QList<ViewController*>{root, opener}));
}

TEST_F(ReaderTest, ADelegateWithoutThePictureGetsTheTextAlone) {
    TextDelegate delegate;
    open(&delegate);
    hold(QStringLiteral("A1,B2"));
    fake.sound.finish();
    EXPECT_EQ(delegate.texts, QStringList{"A1,B2"});
    EXPECT_EQ(navigation.topViewController(), opener);
}

TEST_F(ReaderTest, ReadsOnlyWhatIsInsideTheSquare) {
    TextDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    const QImage code = qrCode(QStringLiteral("A1,B2"), 3);
    for (QPoint outside : {QPoint(75, 240), QPoint(158, 240), QPoint(560, 100)}) {
        QImage frame = whiteFrame();
        paintCentred(frame, code, outside);
        camera().show(frame);
    }
    EXPECT_FALSE(reader->hasScan());
    EXPECT_TRUE(fake.sound.played.isEmpty());
    EXPECT_TRUE(camera().isRunning());

    hold(QStringLiteral("A1,B2"));
    EXPECT_TRUE(reader->hasScan());
}

TEST_F(ReaderTest, SeveralCodesInViewGiveOneDelivery) {
    TextDelegate delegate;
    open(&delegate);
    QImage frame = whiteFrame();
    paintCentred(frame, qrCode(QStringLiteral("A1,B1"), 2), QPoint(250, 170));
    paintCentred(frame, qrCode(QStringLiteral("A2,B2"), 2), QPoint(330, 320));
    camera().show(frame);
    camera().show(frame);
    fake.sound.finish();
    camera().show(frame);
    ASSERT_EQ(delegate.texts.size(), 1);
    EXPECT_TRUE(delegate.texts[0] == "A1,B1" || delegate.texts[0] == "A2,B2");
    EXPECT_EQ(fake.sound.played.size(), 1);
}

TEST_F(ReaderTest, GoesOnWhenTheBeepCannotPlayOrNeverEnds) {
    TextDelegate delegate;
    fake.sound.canPlay = false;
    open(&delegate);
    hold(QStringLiteral("A1,B2"));
    EXPECT_EQ(delegate.texts, QStringList{"A1,B2"});

    fake.sound.canPlay = true;
    open(&delegate);
    hold(QStringLiteral("A3,B4"));
    fake.clock.advance(1.9);
    EXPECT_EQ(delegate.texts.size(), 1);
    fake.clock.advance(0.1);
    EXPECT_EQ(delegate.texts, (QStringList{"A1,B2", "A3,B4"}));
    // The sound's late end changes nothing.
    fake.sound.finish();
    EXPECT_EQ(delegate.texts.size(), 2);
}

TEST_F(ReaderTest, LeavingWhileTheBeepPlaysDeliversNothing) {
    TextDelegate delegate;
    open(&delegate, true);
    hold(QStringLiteral("A1,B2"));
    navigation.popViewControllerAnimated(true); // the back button
    fake.sound.finish();
    fake.clock.advance(5);
    EXPECT_TRUE(delegate.texts.isEmpty());
    EXPECT_FALSE(camera().isRunning());
    EXPECT_EQ(navigation.topViewController(), opener);
}

TEST_F(ReaderTest, TheBackButtonStopsTheCameraAndDeliversNothing) {
    TextDelegate delegate;
    open(&delegate);
    navigation.popViewControllerAnimated(true);
    EXPECT_FALSE(camera().isRunning());
    hold(QStringLiteral("A1,B2"));
    EXPECT_TRUE(fake.sound.played.isEmpty());
    EXPECT_TRUE(delegate.texts.isEmpty());
}

TEST_F(ReaderTest, ADelegateThatTookTheReaderOffLeavesTheStackAlone) {
    ImageDelegate delegate;
    QRReaderViewController* reader = open(&delegate);
    delegate.onDelivery = [&] { navigation.removeViewController(reader); };
    hold(QStringLiteral("A1,B2"));
    fake.sound.finish();
    EXPECT_EQ(navigation.viewControllers(), (QList<ViewController*>{root, opener}));
}

TEST_F(ReaderTest, AScreenPushedByTheDelegateStaysOnTop) {
    ImageDelegate delegate;
    open(&delegate);
    auto* next = new ViewController;
    delegate.onDelivery = [&] { navigation.pushViewController(next, true); };
    hold(QStringLiteral("A1,B2"));
    fake.sound.finish();
    EXPECT_EQ(navigation.viewControllers(), (QList<ViewController*>{root, opener, next}));
}

TEST_F(ReaderTest, DeliversAtMostOnce) {
    ImageDelegate delegate;
    QRReaderViewController* reader = open(&delegate, true);
    // The delegate takes the reader off, so it stays reachable afterwards.
    delegate.onDelivery = [&] { navigation.removeViewController(reader); };
    hold(QStringLiteral("A1,B2"));
    fake.sound.finish();
    reader->footButtonTapped();
    reader->footButtonTapped();
    reader->callDidFinishedReadingQR(QStringLiteral("A9,B9"));
    EXPECT_EQ(delegate.imageTexts, QStringList{"A1,B2"});
}

} // namespace
