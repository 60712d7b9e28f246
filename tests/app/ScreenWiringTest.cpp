#include "app/ScreenWiring.h"
#include "screens/MainViewController.h"
#include "screens/RecordsFixture.h"
#include "screens/SecuritycheckViewController.h"
#include "screens/UploadCheckAddCaseViewController.h"

#include <gtest/gtest.h>

namespace {

// The wired main screen, logged in and offline, on the records fixture's stack.
class Wiring : public RecordsFixture {
  protected:
    MainViewController* openMain() {
        PublicVars::sharedInstance().setNetworkState(false);
        fake.settings.values["chkerId_preference"] = "A123456789";
        auto* main = qobject_cast<MainViewController*>(makeMainScreen());
        EXPECT_NE(main, nullptr);
        nav.pushViewController(main, false);
        return main;
    }
};

TEST_F(Wiring, TheFirstMenuButtonOpensTheCheckStart) {
    MainViewController* main = openMain();
    ASSERT_TRUE(main->menu1Button->isEnabled());
    main->menu1Button->click();
    fake.clock.advance(0.01);
    auto* opened = qobject_cast<SecuritycheckViewController*>(nav.topViewController());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->title(), "檢查設備確認");
    EXPECT_EQ(opened->layoutName(), "SecuritycheckViewController");
}

TEST_F(Wiring, TheRecordsButtonOpensTheRecordsWhichOpenTheEditingScreen) {
    storeCases({makeCase("P1")});
    MainViewController* main = openMain();
    ASSERT_TRUE(main->menu2Button->isEnabled());
    main->menu2Button->click();
    fake.clock.advance(0.01);
    auto* records = qobject_cast<SecurityResendViewController*>(nav.topViewController());
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->title(), "安檢照片紀錄");
    records->tableViewDidSelectRowAtIndexPath(0);
    auto* editing = qobject_cast<UploadCheckAddCaseViewController*>(nav.topViewController());
    ASSERT_NE(editing, nullptr);
    EXPECT_EQ(editing->_caseDict, records->storeRecordArray()[0]);
}

} // namespace
