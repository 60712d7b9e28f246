#include "ServerFixture.h"
#include "net/ServerLookups.h"
#include "support/ButtonWindow.h"

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

TEST_F(QueuedInput, AClickMadeWhileTheAppRunsIsDelivered) {
    queueClickAfter(std::chrono::milliseconds(0));
    EXPECT_TRUE(pumpUntil([this] { return w.clicks > 0; }, 5));
    EXPECT_EQ(w.clicks, 1);
}

} // namespace
