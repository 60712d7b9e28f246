#include "support/FakePlatform.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/ViewController.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class Screen : public ViewController {
  public:
    Screen(QString name, QStringList& events)
        : ViewController(name), name_(std::move(name)), events_(events) {}
    void viewDidLoad() override { events_ << name_ + ".load"; }
    // Each call is logged with how it was shown: "animated" or "at once".
    void viewWillAppear(bool animated) override { log(".appear", animated); }
    void viewWillDisappear(bool animated) override { log(".disappear", animated); }

  private:
    void log(const char* event, bool animated) {
        events_ << name_ + event + (animated ? " animated" : " at once");
    }
    QString name_;
    QStringList& events_;
};

TEST(Navigation, DrivesTheLifeCycleOnPushAndPop) {
    FakePlatform fake;
    QStringList events;
    NavigationController nav;
    nav.pushViewController(new Screen("main", events), false);
    auto* second = new Screen("second", events);
    nav.pushViewController(second, true);
    EXPECT_EQ(events, QStringList({"main.load", "main.appear at once", "second.load",
                                   "main.disappear animated", "second.appear animated"}));

    events.clear();
    QPointer<ViewController> popped = nav.popViewControllerAnimated(true);
    EXPECT_EQ(events, QStringList({"second.disappear animated", "main.appear animated"}));
    EXPECT_EQ(nav.viewControllers().size(), 1);
    EXPECT_EQ(popped->navigationController(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popped.isNull()); // the stack owned it

    EXPECT_EQ(nav.popViewControllerAnimated(false), nullptr); // the bottom screen stays

    nav.pushViewController(new Screen("third", events), false);
    events.clear();
    nav.popViewControllerAnimated(false);
    EXPECT_EQ(events, QStringList({"third.disappear at once", "main.appear at once"}));
}

TEST(Navigation, RemovesAScreenFromTheMiddleWithoutLifeCycleCalls) {
    FakePlatform fake;
    QStringList events;
    NavigationController nav;
    nav.pushViewController(new Screen("a", events), false);
    auto* b = new Screen("b", events);
    nav.pushViewController(b, false);
    nav.pushViewController(new Screen("c", events), false);
    events.clear();
    nav.removeViewController(b);
    EXPECT_TRUE(events.isEmpty());
    ASSERT_EQ(nav.viewControllers().size(), 2);
    EXPECT_EQ(nav.topViewController()->layoutName(), "c");
}

TEST(Navigation, BackButtonShowsTheTitleTheScreenBelowGivesAndPops) {
    FakePlatform fake;
    QStringList events;
    NavigationController nav;
    auto* main = new Screen("main", events);
    main->setTitle("主畫面");
    main->setBackBarButtonTitle("返回");
    nav.pushViewController(main, false);
    EXPECT_TRUE(nav.navigationBar()->backButton()->isHidden());
    auto* top = new Screen("top", events);
    top->setTitle("登記碼掃描");
    nav.pushViewController(top, false);
    EXPECT_EQ(nav.navigationBar()->titleText(), "登記碼掃描");
    EXPECT_TRUE(nav.navigationBar()->backButton()->text().endsWith("返回"));
    nav.navigationBar()->backButton()->click();
    EXPECT_EQ(nav.topViewController(), main);
    EXPECT_EQ(nav.navigationBar()->titleText(), "主畫面");
}

TEST(Navigation, BackButtonReadsReturnOverAScreenWithNeitherTitleNorBackTitle) {
    FakePlatform fake;
    QStringList events;
    NavigationController nav;
    auto* below = new Screen("below", events);
    nav.pushViewController(below, false);
    nav.pushViewController(new Screen("top", events), false);
    EXPECT_FALSE(nav.navigationBar()->backButton()->isHidden());
    EXPECT_TRUE(nav.navigationBar()->backButton()->text().endsWith("返回"));
    below->setTitle("主畫面"); // a title of its own is used when there is no back title
    nav.pushViewController(new Screen("third", events), false);
    nav.popViewControllerAnimated(false);
    EXPECT_TRUE(nav.navigationBar()->backButton()->text().endsWith("主畫面"));
    nav.navigationBar()->backButton()->click();
    EXPECT_EQ(nav.topViewController(), below);
}

TEST(Navigation, BarButtonsGoBackToTheirScreenWhenItLeavesTheTop) {
    FakePlatform fake;
    QStringList events;
    NavigationController nav;
    auto* below = new Screen("below", events);
    auto* torch = new QPushButton("torch", below);
    below->setRightBarButton(torch);
    nav.pushViewController(below, false);
    EXPECT_EQ(torch->parentWidget(), nav.navigationBar());
    nav.pushViewController(new Screen("above", events), false);
    EXPECT_EQ(torch->parentWidget(), below);
    EXPECT_TRUE(torch->isHidden());
}

TEST(Navigation, SmallPhoneScreensUseThe3d5Layout) {
    FakePlatform fake;
    QStringList events;
    fake.device.size = QSizeF(320, 480);
    EXPECT_EQ(Screen("MainViewController", events).layoutName(), "MainViewController3d5");
    fake.device.size = QSizeF(320, 568);
    EXPECT_EQ(Screen("MainViewController", events).layoutName(), "MainViewController");
}

TEST(Navigation, HidesAndShowsTheBar) {
    FakePlatform fake;
    NavigationController nav;
    nav.setNavigationBarHidden(true, false);
    EXPECT_TRUE(nav.isNavigationBarHidden());
    nav.setNavigationBarHidden(false, true);
    EXPECT_FALSE(nav.isNavigationBarHidden());
}

} // namespace
