#include "app/AppDelegate.h"
#include "screens/SecurityCheckAddCaseViewController.h"
#include "store/PublicVars.h"
#include "support/FakePlatform.h"
#include "ui/NavigationController.h"
#include "ui/ViewController.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// The screen at the bottom of the stack; remembers what the shared state said
// about the network when it loaded.
class FirstScreen : public ViewController {
  public:
    void viewDidLoad() override { networkAtLoad = PublicVars::sharedInstance().networkState(); }
    bool networkAtLoad = true;
};

struct Launch : testing::Test {
    Launch() { PublicVars::resetSharedInstanceForTesting(); }
    ~Launch() override { PublicVars::resetSharedInstanceForTesting(); }

    FirstScreen* launch() {
        delegate.applicationDidFinishLaunchingWithOptions();
        return static_cast<FirstScreen*>(delegate.navigationController()->topViewController());
    }
    LocationFix fixAgo(double seconds) {
        return {25.04, 121.56, fake.clock.now().addMSecs(-qint64(seconds * 1000))};
    }
    FakeLocationSource* onlySource() {
        const auto running = fake.location.running();
        EXPECT_EQ(running.size(), 1u);
        return running.empty() ? nullptr : running.front();
    }

    FakePlatform fake;
    AppDelegate delegate{[] { return new FirstScreen; }};
};

TEST_F(Launch, KnowsTheNetworkStateBeforeTheMainScreenLoads) {
    fake.reachability.status = Reachability::NotReachable;
    FirstScreen* screen = launch();
    EXPECT_FALSE(screen->networkAtLoad);
    ASSERT_EQ(delegate.navigationController()->viewControllers().size(), 1);
    EXPECT_TRUE(delegate.window()->isVisible());

    fake.reachability.change(Reachability::ReachableViaWWAN);
    EXPECT_TRUE(PublicVars::sharedInstance().networkState());
    fake.reachability.change(Reachability::NotReachable);
    EXPECT_FALSE(PublicVars::sharedInstance().networkState());
}

TEST_F(Launch, OnlineLaunchSeesTheNetwork) {
    fake.reachability.status = Reachability::ReachableViaWiFi;
    EXPECT_TRUE(launch()->networkAtLoad);
}

TEST_F(Launch, TheGpsSwitchStartsExactlyOneLocationService) {
    launch();
    PublicVars::sharedInstance().setIsOpenGps(true);
    PublicVars::sharedInstance().setIsOpenGps(true);
    EXPECT_EQ(fake.location.created, 2);
    EXPECT_EQ(fake.location.running().size(), 1u);
    EXPECT_EQ(delegate.locationManager(), fake.location.running().front());
    EXPECT_TRUE(fake.location.running().front()->authorizationRequested); // system version 8.0

    PublicVars::sharedInstance().setIsOpenGps(false);
    EXPECT_TRUE(fake.location.running().empty());
    EXPECT_EQ(delegate.locationManager(), nullptr);
}

TEST_F(Launch, IgnoresFixesOlderThan59WholeSeconds) {
    launch();
    delegate.startUserLocation();
    FakeLocationSource* source = onlySource();
    ASSERT_NE(source, nullptr);

    source->deliver(fixAgo(120));
    EXPECT_FALSE(PublicVars::sharedInstance().nowLocation().has_value());
    source->deliver(fixAgo(60.0));
    EXPECT_FALSE(PublicVars::sharedInstance().nowLocation().has_value());
    const LocationFix fresh = fixAgo(59.9);
    source->deliver(fresh);
    ASSERT_TRUE(PublicVars::sharedInstance().nowLocation().has_value());
    EXPECT_EQ(PublicVars::sharedInstance().nowLocation()->timestamp, fresh.timestamp);

    source->deliver(fixAgo(300)); // a stale fix leaves the last good one
    EXPECT_EQ(PublicVars::sharedInstance().nowLocation()->timestamp, fresh.timestamp);
}

TEST_F(Launch, ALocationFailureClearsThePositionAndStops) {
    launch();
    delegate.startUserLocation();
    FakeLocationSource* source = onlySource();
    ASSERT_NE(source, nullptr);
    source->deliver(fixAgo(1));
    ASSERT_TRUE(PublicVars::sharedInstance().nowLocation().has_value());

    source->fail("denied");
    EXPECT_FALSE(PublicVars::sharedInstance().nowLocation().has_value());
    EXPECT_TRUE(fake.location.running().empty());
    EXPECT_EQ(delegate.locationManager(), nullptr);
    fake.clock.advance(0.1);
    EXPECT_TRUE(fake.location.alive.empty()); // the stopped handle is gone

    PublicVars::sharedInstance().setIsOpenGps(true); // the next photo screen starts it again
    EXPECT_EQ(fake.location.running().size(), 1u);
}

// The photo screen switches the GPS on and says "尚未定位" until the first fix
// arrives, and again when the position is lost.
TEST_F(Launch, ThePhotoScreenMarksAMissingPositionUntilTheFirstFix) {
    launch();
    auto* photos =
        SecurityCheckAddCaseViewController::initWithPakenoWithChknoWithType("P1", "C1", "安全檢查");
    delegate.navigationController()->pushViewController(photos, false);
    ASSERT_NE(photos->noFixMark, nullptr);
    EXPECT_EQ(photos->noFixMark->text(), "尚未定位");
    EXPECT_TRUE(photos->noFixMark->isVisibleTo(photos));
    FakeLocationSource* source = onlySource();
    ASSERT_NE(source, nullptr);
    source->deliver(fixAgo(1));
    EXPECT_FALSE(photos->noFixMark->isVisibleTo(photos));
    source->fail("lost");
    EXPECT_TRUE(photos->noFixMark->isVisibleTo(photos));
}

} // namespace
