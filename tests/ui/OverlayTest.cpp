#include "support/ButtonWindow.h"
#include "support/FakePlatform.h"
#include "ui/Popover.h"
#include "ui/ProgressOverlay.h"
#include "ui/ViewController.h"
#include "ui/WindowInputBlock.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(ProgressOverlay, CoveredAreaTakesNoTouchesUntilHidden) {
    FakePlatform fake;
    ButtonWindow w;
    w.click();
    ASSERT_EQ(w.clicks, 1);

    WindowIndicator indicator(&w.widget);
    indicator.start("資料讀取中");
    ASSERT_NE(indicator.current(), nullptr);
    EXPECT_EQ(indicator.current()->label(), "資料讀取中");
    EXPECT_EQ(indicator.current()->box(), ProgressOverlay::Box::Dimmed);
    EXPECT_EQ(indicator.current()->geometry(), w.widget.rect());
    w.click();
    EXPECT_EQ(w.clicks, 1);

    indicator.stop();
    EXPECT_EQ(indicator.current(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w.click();
    EXPECT_EQ(w.clicks, 2);
}

// A sending run's step, name and bar show as widgets of their own, one under the other in the
// box; the name is plain text; a new indicator starts without them.
TEST(ProgressOverlay, ShowsTheStepOfARunWithItsNameAndBar) {
    FakePlatform fake;
    ButtonWindow w;
    WindowIndicator indicator(&w.widget);
    indicator.start("資料傳送中");
    indicator.showStep(2, 5, "<b>EQ-7</b>");
    indicator.showShare(300, 1200);
    ProgressOverlay* overlay = indicator.current();
    auto* step = overlay->findChild<QLabel*>("progressStep");
    auto* name = overlay->findChild<QLabel*>("progressName");
    auto* bar = overlay->findChild<QProgressBar*>("progressBar");
    ASSERT_TRUE(step && name && bar);
    EXPECT_TRUE(step->isVisible() && name->isVisible() && bar->isVisible());
    EXPECT_EQ(step->text(), "第 2 / 5 筆");
    EXPECT_EQ(name->text(), "<b>EQ-7</b>");
    EXPECT_EQ(name->textFormat(), Qt::PlainText);
    EXPECT_DOUBLE_EQ(double(bar->value()) / bar->maximum(), 0.25);
    EXPECT_LE(step->geometry().bottom(), name->geometry().top());
    EXPECT_LE(name->geometry().bottom(), bar->geometry().top());
    EXPECT_TRUE(overlay->rect().contains(bar->geometry()));
    indicator.showShare(1200, 1200);
    EXPECT_EQ(bar->value(), bar->maximum());

    indicator.start("資料讀取中");
    EXPECT_FALSE(indicator.current()->findChild<QLabel*>("progressStep")->isVisible());
}

TEST(ProgressOverlay, KeyboardReachesNothingUnderneath) {
    FakePlatform fake;
    ButtonWindow w;
    auto* other = new QPushButton("other", &w.widget);
    other->setGeometry(0, 0, 100, 40);
    QApplication::setActiveWindow(&w.widget);
    w.button->setFocus();
    QTest::keyClick(w.widget.windowHandle(), Qt::Key_Space);
    ASSERT_EQ(w.clicks, 1); // the keyboard presses the button when nothing covers it

    WindowIndicator indicator(&w.widget);
    indicator.start("資料讀取中");
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Backtab,
                        Qt::Key_Space, Qt::Key_Enter})
        QTest::keyClick(w.widget.windowHandle(), key);
    EXPECT_EQ(QApplication::focusWidget(), indicator.current());
    // Focus moved into the covered area by other means lands on the overlay.
    w.button->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), indicator.current());
    QTest::keyClick(w.widget.windowHandle(), Qt::Key_Space);
    // Keys sent straight to a covered widget are dropped too.
    QTest::keyClick(w.button, Qt::Key_Space);
    EXPECT_EQ(w.clicks, 1);

    indicator.stop();
    EXPECT_EQ(QApplication::focusWidget(), w.button); // focus is back where it was
    QTest::keyClick(w.widget.windowHandle(), Qt::Key_Space);
    EXPECT_EQ(w.clicks, 2);
}

TEST(ProgressOverlay, OverOneViewBlocksOnlyThatView) {
    FakePlatform fake;
    ButtonWindow w;
    auto* other = new QPushButton("other", &w.widget);
    other->setGeometry(0, 0, 100, 40);
    int otherClicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });
    other->show();

    ProgressOverlay* overlay =
        ProgressOverlay::showOver(w.button, {}, ProgressOverlay::Box::Transparent);
    w.click();
    EXPECT_EQ(w.clicks, 0);
    QTest::mouseClick(w.widget.windowHandle(), Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_EQ(otherClicks, 1);
    overlay->hideOverlay();
}

TEST(WindowInputBlock, TheWindowTakesNoInputWhileItLasts) {
    FakePlatform fake;
    ButtonWindow blocked;
    ButtonWindow other;
    auto press = [](ButtonWindow& w) {
        w.click();
        w.button->setFocus();
        QTest::keyClick(w.widget.windowHandle(), Qt::Key_Space);
    };
    {
        WindowInputBlock block(&blocked.widget);
        press(blocked);
        EXPECT_EQ(blocked.clicks, 0);
        press(other);
        EXPECT_EQ(other.clicks, 2) << "another window takes input";
    }
    press(blocked);
    EXPECT_EQ(blocked.clicks, 2);
}

TEST(Popover, HangsBelowItsButtonWithTheArrowOnTablets) {
    FakePlatform fake;
    ButtonWindow w;
    for (bool tablet : {true, false}) {
        fake.device.tablet = tablet;
        bool dismissed = false;
        Popover* popover = Popover::present(new ViewController, w.button, QSize(200, 150));
        popover->onDismissed = [&] { dismissed = true; };
        EXPECT_EQ(popover->hasArrow(), tablet);
        EXPECT_EQ(popover->boxGeometry().size(), QSize(200, 150));
        EXPECT_GT(popover->boxGeometry().top(), w.button->geometry().bottom());
        EXPECT_EQ(popover->content()->geometry(), popover->boxGeometry());
        // A tap outside the box closes it; the button under it is not pressed.
        QTest::mouseClick(w.widget.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(dismissed);
        EXPECT_EQ(w.clicks, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(Popover, EscapeDismissesIt) {
    FakePlatform fake;
    ButtonWindow w;
    bool dismissed = false;
    Popover* popover = Popover::present(new ViewController, w.button, QSize(200, 150));
    popover->onDismissed = [&] { dismissed = true; };
    QTest::keyClick(popover->content(), Qt::Key_Escape);
    EXPECT_TRUE(dismissed);
    EXPECT_FALSE(popover->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
