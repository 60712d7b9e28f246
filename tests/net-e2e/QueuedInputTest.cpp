#include "ServerFixture.h"
#include "net/ServerLookups.h"
#include "support/ButtonWindow.h"
#include "ui/ProgressOverlay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>
#include <thread>

namespace {

using Queued = QWindowSystemInterface::AsynchronousDelivery;

// Clicks on a button that come in the way a person's clicks do: the window
// system queues them for the main thread, which takes them in when it runs.
class QueuedInput : public ServerFixture {
  protected:
    QueuedInput() { EXPECT_TRUE(QTest::qWaitForWindowExposed(&w.widget)); }
    ~QueuedInput() override {
        if (clicker.joinable()) clicker.join();
    }
    // Queues a press and a release on the button after delay, from another
    // thread, so that the main thread may be blocked meanwhile.
    void queueClickAfter(std::chrono::milliseconds delay) {
        clicker = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            QWindow* target = w.widget.windowHandle();
            const QPointF at = ButtonWindow::kOnButton;
            const QPointF global = target->mapToGlobal(at);
            QWindowSystemInterface::handleMouseEvent<Queued>(
                target, at, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
            QWindowSystemInterface::handleMouseEvent<Queued>(
                target, at, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
        });
    }

    ButtonWindow w;
    std::thread clicker;
};

TEST_F(QueuedInput, AClickMadeWhileALookupBlocksIsDropped) {
    Fault slow;
    slow.delaySeconds = 0.8;
    server.setFault(kInspectorEndpoint, slow);
    queueClickAfter(std::chrono::milliseconds(200));
    ASSERT_TRUE(lookupInspector(serverIp(), "A123456789"));
    clicker.join();
    pumpUntil([] { return false; }, 0.3);
    EXPECT_EQ(w.clicks, 0);

    // The first click once the lookup is over presses the button.
    w.click();
    EXPECT_EQ(w.clicks, 1);
}

// The window's own indicator, watched: a screenshot once the wait has lasted a second, and the
// overlay's paintings while the main thread waits.
class WatchedIndicator : public ProgressIndicator, public QObject {
  public:
    explicit WatchedIndicator(QWidget* window) : window_(window), inner_(window) {
        QCoreApplication::instance()->installEventFilter(this);
        since_.start();
    }
    ~WatchedIndicator() override { QCoreApplication::instance()->removeEventFilter(this); }
    void start(const QString& label) override { inner_.start(label); }
    void stop() override { inner_.stop(); }
    void showStep(int place, int count, const QString& name) override {
        inner_.showStep(place, count, name);
    }
    void showShare(qint64 done, qint64 total) override { inner_.showShare(done, total); }
    void showBlockedWait(const QString& label) override {
        inner_.showBlockedWait(label);
        if (!shot.isNull() || since_.elapsed() < 1000) return;
        shot = window_->grab().toImage();
        auto* wait = inner_.current()->findChild<QLabel*>(QStringLiteral("progressWait"));
        waitShowing = wait->isVisible() ? wait->text() : QString();
        paintsAtShot = paints;
    }
    void endBlockedWait() override {
        inner_.endBlockedWait();
        overlayAfter = inner_.current() != nullptr;
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<ProgressOverlay*>(watched)) ++paints;
        return false;
    }

    QImage shot;
    QString waitShowing;
    int paints = 0;
    int paintsAtShot = 0;
    bool overlayAfter = true;

  private:
    QWidget* window_;
    WindowIndicator inner_;
    QElapsedTimer since_;
};

// A lookup that takes 3 s: a second in, the window has been drawn with the waiting overlay
// again and again though the main thread takes no events; a click made meanwhile is dropped.
TEST_F(QueuedInput, ALongLookupShowsThatItWaitsAndStillDropsTheClick) {
    Fault slow;
    slow.delaySeconds = 3;
    server.setFault(kInspectorEndpoint, slow);
    WatchedIndicator indicator(&w.widget);
    fake.services.indicator = &indicator;
    const QPoint inBox = w.widget.rect().center() - QPoint(100, 0);
    const QColor before = w.widget.grab().toImage().pixelColor(inBox);
    queueClickAfter(std::chrono::milliseconds(500));
    ASSERT_TRUE(lookupInspector(serverIp(), "A123456789"));
    fake.services.indicator = &fake.indicator;
    clicker.join();
    pumpUntil([] { return false; }, 0.3);
    EXPECT_EQ(w.clicks, 0);

    ASSERT_FALSE(indicator.shot.isNull());
    indicator.shot.save(QDir::temp().filePath("lookup-wait-1s.png"));
    EXPECT_EQ(indicator.waitShowing, "查詢中");
    EXPECT_GE(indicator.paintsAtShot, 5); // drawn again every 80 ms from 0.3 s on
    // The dimmed box lies over the middle of the window.
    EXPECT_LT(indicator.shot.pixelColor(inBox).lightness(), before.lightness());
    EXPECT_FALSE(indicator.overlayAfter); // the overlay the wait showed is gone with it
    w.click();
    EXPECT_EQ(w.clicks, 1);
}

TEST_F(QueuedInput, AClickMadeWhileTheAppRunsIsDelivered) {
    queueClickAfter(std::chrono::milliseconds(0));
    EXPECT_TRUE(pumpUntil([this] { return w.clicks > 0; }, 5));
    EXPECT_EQ(w.clicks, 1);
}

} // namespace
