#include "ReaderFixture.h"
#include "app/AppDelegate.h"
#include "qr/ScanLayout.h"
#include "store/PublicVars.h"

namespace {

// The reader as the app shows it: pushed inside the app's own window.
struct ReaderInAppWindow : testing::Test {
    ReaderInAppWindow() { PublicVars::resetSharedInstanceForTesting(); }
    ~ReaderInAppWindow() override { PublicVars::resetSharedInstanceForTesting(); }

    // Pushes a reader with its foot bar and returns the window's picture.
    QImage showReader() {
        delegate.applicationDidFinishLaunchingWithOptions();
        reader = new QRReaderViewController;
        reader->delegate = &readerDelegate;
        reader->hasFoot = true;
        delegate.navigationController()->pushViewController(reader, true);
        fake.clock.advance(0);
        return delegate.window()->grab().toImage();
    }
    // The colour drawn at point, given in the reader's coordinates.
    QColor colourAt(const QImage& shot, QPointF point) const {
        const QPoint at = reader->mapTo(delegate.window(), point.toPoint());
        return shot.pixelColor(at * shot.devicePixelRatio());
    }

    FakePlatform fake;
    FakeQrCaptureFactory captures;
    TextDelegate readerDelegate;
    AppDelegate delegate{[] { return new ViewController; }};
    QRReaderViewController* reader = nullptr;
};

TEST_F(ReaderInAppWindow, KeepsItsDarkShadesAndBlackFootBar) {
    fake.services.qrCapture = &captures;
    const QImage shot = showReader();
    const QSizeF screen = fake.device.screenSize();
    const ScanLayout layout = scanLayoutFor(screen);
    // White at 0.2 over the black camera picture: dark grey. Each shade is
    // read near its corner farthest from the square, away from the marks.
    for (const QRectF& shade : layout.shades) {
        const QPointF centre = layout.square.center();
        const QPointF corner(shade.center().x() < centre.x() ? shade.left() + 2 : shade.right() - 2,
                             shade.center().y() < centre.y() ? shade.top() + 2
                                                             : shade.bottom() - 2);
        EXPECT_LT(colourAt(shot, corner).lightness(), 80);
    }
    // Black at 0.8 over black, read at the bar's top left, clear of its text.
    const QRectF bar = footLayoutFor(screen, false).bar;
    EXPECT_LT(colourAt(shot, bar.topLeft() + QPointF(2, 2)).lightness(), 30);
}

TEST_F(ReaderInAppWindow, WithoutACameraShowsABlackScreen) {
    const QImage shot = showReader();
    EXPECT_EQ(colourAt(shot, reader->rect().center()), QColor(Qt::black));
}

} // namespace
