#include "screens/MainViewController.h"
#include "store/PublicVars.h"
#include "support/FakePlatform.h"
#include "ui/NavigationController.h"
#include "util/PublicFunctionParameters.h"

#include <QLabel>
#include <QTemporaryFile>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

const QString kLocalVersion = "1.0.0";

QByteArray base64(const QString& text) {
    return text.toUtf8().toBase64();
}

// A login answer of the stand-in kind.
QByteArray loginAnswer(const QString& isChker, const QString& name,
                       const QString& version = "1.0.1", const QString& deadline = "1041231",
                       const QString& msg = "") {
    return QStringLiteral(
               R"({"isChker":"%1","chkerName":"%2","ver_ios":"%3","url_ios":"http://update.test/app",)"
               R"("max_up_date":"%4","msg":"%5"})")
        .arg(isChker, base64(name), version, deadline, msg)
        .toUtf8();
}

struct MainScreen : testing::Test {
    MainScreen() {
        parameters.open();
        parameters.write(
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>"
                           "<key>ServerIP</key><string>server.test:8080</string>"
                           "<key>ver_ios</key><string>%1</string></dict></plist>")
                .arg(kLocalVersion)
                .toUtf8());
        parameters.flush();
        setParameterFileOverride("Parameters.plist", parameters.fileName());
        PublicVars::resetSharedInstanceForTesting();
        PublicVars::sharedInstance().setNetworkState(true);
        fake.clock.set(QDateTime(QDate(2015, 6, 30), QTime(14, 5))); // ROC 1040630
    }
    ~MainScreen() override {
        setParameterFileOverride("Parameters.plist", QString());
        PublicVars::resetSharedInstanceForTesting();
    }

    void answer(std::optional<QByteArray> body) {
        fake.http.onFetch = [body](const QUrl&, double) { return body; };
    }
    void storeInspector(const QString& id, const QString& name) {
        fake.settings.values["chkerId_preference"] = id;
        fake.settings.values["chkerName_preference"] = name;
    }
    MainViewController* load() {
        screen = new MainViewController("MainViewController");
        nav.pushViewController(screen, false);
        return screen;
    }
    QString alertTitle() { return fake.alerts.showing() ? fake.alerts.current().title : QString(); }
    int alertTag() { return fake.alerts.showing() ? fake.alerts.current().tag : -1; }
    QString stored(const char* key) { return fake.settings.values.value(key); }

    FakePlatform fake;
    QTemporaryFile parameters;
    NavigationController nav;
    MainViewController* screen = nullptr;
};

TEST_F(MainScreen, LogsInWithATypedIdAndShowsTheDecodedName) {
    load();
    ASSERT_EQ(alertTag(), MainViewController::LoginPrompt);
    EXPECT_TRUE(fake.alerts.current().hasTextField);
    EXPECT_EQ(fake.alerts.current().placeholder, "身份證字號");
    EXPECT_EQ(fake.alerts.current().textFieldHints, Qt::ImhUppercaseOnly | Qt::ImhLatinOnly |
                                                        Qt::ImhNoPredictiveText |
                                                        Qt::ImhSensitiveData);
    EXPECT_FALSE(screen->menu1Button->isVisibleTo(screen)) << "no menu peeks out around the prompt";
    EXPECT_FALSE(screen->menu2Button->isVisibleTo(screen));
    answer(loginAnswer("Y", "陳&#x5927;文&amp;子", kLocalVersion));
    fake.alerts.press("好", "a123456789");

    ASSERT_EQ(fake.http.fetched.size(), 1);
    const QUrl url = fake.http.fetched[0];
    EXPECT_EQ(url.toString(QUrl::FullyEncoded),
              "http://server.test:8080/velquarda/GetChkerName?chkerId=" + base64("A123456789"));
    EXPECT_EQ(stored("chkerId_preference"), "A123456789");
    EXPECT_EQ(stored("chkerName_preference"), "陳大文&子");
    EXPECT_GE(fake.settings.synchronizations, 1);
    EXPECT_EQ(screen->usrLabel->text(), "安檢員：陳大文&子");
    EXPECT_TRUE(screen->usrLabel->isVisibleTo(screen));
    EXPECT_TRUE(screen->closeBtn->isVisibleTo(screen));
    EXPECT_TRUE(screen->menu1Button->isVisibleTo(screen));
    EXPECT_TRUE(screen->menu2Button->isVisibleTo(screen));
    EXPECT_FALSE(fake.alerts.showing()); // same version: no prompt
    EXPECT_TRUE(screen->isEnabled());
}

TEST_F(MainScreen, ARejectedIdStoresNothingAndAsksAgain) {
    for (const QByteArray& body : {loginAnswer("N", "陳大文"), QByteArray("<html>busy</html>")}) {
        fake.settings.values.clear();
        load();
        answer(body);
        fake.alerts.press("好", "   "); // spaces are not empty: the server decides
        EXPECT_EQ(alertTag(), MainViewController::WrongId);
        EXPECT_EQ(fake.alerts.current().message, "身份證字號不正確, 請重新輸入");
        EXPECT_TRUE(fake.settings.values.isEmpty());
        fake.alerts.press("知道了");
        EXPECT_EQ(alertTag(), MainViewController::LoginPrompt);
        fake.alerts.press("取消");
        EXPECT_EQ(fake.system.exits, QList<int>({0}));
        fake.system.exits.clear();
    }
}

TEST_F(MainScreen, AnEmptyEntryShowsThePromptAgainWithoutAsking) {
    load();
    fake.alerts.press("好", "");
    EXPECT_EQ(alertTag(), MainViewController::LoginPrompt);
    EXPECT_TRUE(fake.http.fetched.isEmpty());
}

TEST_F(MainScreen, NoAnswerWithoutAStoredInspectorEndsTheApp) {
    PublicVars::sharedInstance().setNetworkState(false);
    load();
    EXPECT_EQ(alertTag(), MainViewController::LoginPrompt);
    answer(std::nullopt);
    fake.alerts.press("好", "A123456789");
    EXPECT_EQ(alertTag(), MainViewController::NoNetwork);
    EXPECT_EQ(fake.alerts.current().message, "無法連接網路或後端數據庫沒有回應, 即將關閉程式");
    fake.alerts.press(0);
    EXPECT_EQ(fake.system.exits, QList<int>({0}));
}

TEST_F(MainScreen, NoAnswerWithAStoredInspectorCountsAsHisLogin) {
    storeInspector("B987654321", "林小美");
    answer(std::nullopt);
    load(); // online: the stored number is looked up, no answer comes
    EXPECT_EQ(screen->verifyLoginId("A123456789"), MainViewController::Accepted);
    EXPECT_EQ(stored("chkerId_preference"), "B987654321");
    EXPECT_EQ(screen->usrLabel->text(), "安檢員：林小美");
}

TEST_F(MainScreen, OfflineStartWithAStoredInspectorShowsHimWithoutAsking) {
    storeInspector("B987654321", "林小美");
    PublicVars::sharedInstance().setNetworkState(false);
    load();
    EXPECT_TRUE(fake.http.fetched.isEmpty());
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(screen->usrLabel->text(), "安檢員：林小美");
    EXPECT_TRUE(screen->usrLabel->isVisibleTo(screen));
    EXPECT_TRUE(screen->menu1Button->isVisibleTo(screen));
}

struct Deadline {
    const char* maxUpDate; // empty: no such field
    int expectedTag;
};

class UpdatePrompt : public MainScreen, public testing::WithParamInterface<Deadline> {};

TEST_P(UpdatePrompt, IsSoftUntilTheDeadlineAndForcedAfter) {
    QByteArray body = loginAnswer("Y", "陳大文", "1.0.1", GetParam().maxUpDate);
    if (QByteArray(GetParam().maxUpDate).isEmpty()) body.replace(R"("max_up_date":"",)", "");
    answer(body);
    load();
    fake.alerts.press("好", "A123456789");
    ASSERT_EQ(alertTag(), GetParam().expectedTag);
    EXPECT_EQ(fake.alerts.current().title, "版本更新");
}

INSTANTIATE_TEST_SUITE_P(
    Deadlines, UpdatePrompt,
    testing::Values(Deadline{"1040630", MainViewController::SoftUpdate}, // today
                    Deadline{"1041231", MainViewController::SoftUpdate},
                    Deadline{"1040629", MainViewController::ForcedUpdate}, // yesterday
                    Deadline{"", MainViewController::ForcedUpdate},        // missing: 0
                    Deadline{"1040", MainViewController::ForcedUpdate}));  // short

TEST_F(MainScreen, TheSoftPromptComesOnceAndItsUpdateOpensTheAddress) {
    answer(loginAnswer("Y", "陳大文", "1.0.1", "1041231"));
    load();
    fake.alerts.press("好", "A123456789");
    ASSERT_EQ(alertTag(), MainViewController::SoftUpdate);
    EXPECT_EQ(fake.alerts.current().message, "您目前使用的版本不是最新的，是否要下載更新？\n註：請"
                                             "於104/12/31前進行更新，逾期將無法使用此App");
    fake.alerts.press("暫不更新");
    screen->viewWillAppear(true);
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_TRUE(fake.system.exits.isEmpty());

    MainViewController second("MainViewController"); // a new screen may ask again
    second.ver_ios = "1.0.1";
    second.url_ios = "http://update.test/app";
    second.max_up_date = 1041231;
    second.now_date = 1040630;
    second.checkUpdateVersion();
    fake.alerts.press("更新");
    EXPECT_EQ(fake.system.opened, QList<QUrl>({QUrl("http://update.test/app")}));
}

TEST_F(MainScreen, TheForcedPromptComesAtEveryCheckAndCanEndTheApp) {
    answer(loginAnswer("Y", "陳大文", "1.0.1", "1040101"));
    load();
    fake.alerts.press("好", "A123456789");
    ASSERT_EQ(alertTag(), MainViewController::ForcedUpdate);
    EXPECT_EQ(fake.alerts.current().message,
              "您目前使用的版本不是最新的，已逾104/01/01更新期限，請立即下載更新");
    fake.alerts.press("更新");
    EXPECT_EQ(fake.system.opened.size(), 1);
    screen->viewWillAppear(true);
    ASSERT_EQ(alertTag(), MainViewController::ForcedUpdate);
    fake.alerts.press("離開程式");
    EXPECT_EQ(fake.system.exits, QList<int>({0}));
}

TEST_F(MainScreen, AStoredInspectorAcceptedAtLoadPastTheDeadlineSeesTheForcedPromptTwice) {
    storeInspector("A123456789", "陳大文");
    answer(loginAnswer("Y", "陳大文", "1.0.1", "1040101"));
    load();
    ASSERT_EQ(fake.alerts.count(), 2u);
    EXPECT_EQ(alertTag(), MainViewController::ForcedUpdate);
    fake.alerts.press(0);
    EXPECT_EQ(alertTag(), MainViewController::ForcedUpdate);
}

TEST_F(MainScreen, WithoutAnUpdateAddressThereIsNoVersionCheck) {
    answer(R"({"isChker":"Y","chkerName":"6Zmz","ver_ios":"9.9","max_up_date":"1000101"})");
    load();
    fake.alerts.press("好", "A123456789");
    EXPECT_FALSE(fake.alerts.showing());
    EXPECT_EQ(stored("chkerName_preference"), "陳");
}

TEST_F(MainScreen, ANoticeFromTheServerIsShownWithoutHandler) {
    answer(loginAnswer("Y", "陳大文", kLocalVersion, "1041231", "明日系統維護"));
    load();
    fake.alerts.press("好", "A123456789");
    ASSERT_EQ(alertTitle(), "通知訊息");
    EXPECT_EQ(fake.alerts.current().message, "明日系統維護");
    EXPECT_EQ(fake.alerts.current().buttonTitles(), QStringList({"知道了"}));
}

TEST_F(MainScreen, LogoutEmptiesTheInspectorAndEndsTheApp) {
    storeInspector("A123456789", "陳大文");
    PublicVars::sharedInstance().setNetworkState(false);
    load();
    screen->closeBtn->click();
    ASSERT_EQ(alertTag(), MainViewController::Logout);
    fake.alerts.press("取消");
    EXPECT_EQ(stored("chkerId_preference"), "A123456789");
    screen->closeBtn->click();
    fake.alerts.press("登出");
    EXPECT_EQ(stored("chkerId_preference"), "");
    EXPECT_EQ(stored("chkerName_preference"), "");
    EXPECT_EQ(fake.system.exits, QList<int>({0}));
}

TEST_F(MainScreen, NamesThatAreNotBase64AreKeptAsSent) {
    answer(R"({"isChker":"Y","chkerName":"王&amp;明!"})");
    load();
    fake.alerts.press("好", "A123456789");
    EXPECT_EQ(stored("chkerName_preference"), "王&明!");
}

TEST_F(MainScreen, WarnsWhenLocationIsNotAllowed) {
    storeInspector("A123456789", "陳大文");
    PublicVars::sharedInstance().setNetworkState(false);
    fake.location.status = AuthorizationStatus::Denied;
    load();
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(alertTitle(), "");
    EXPECT_EQ(fake.alerts.current().message,
              "無法使用「位置」功能定位, 請於[設定] -> [隱私權]-> [位置]內允許取用位置");
}

TEST_F(MainScreen, SetsTheTitleColoursAndHidesTheBar) {
    storeInspector("A123456789", "陳大文");
    PublicVars::sharedInstance().setNetworkState(false);
    load();
    EXPECT_EQ(screen->title(), "主畫面");
    EXPECT_EQ(screen->backBarButtonTitle(), "返回");
    EXPECT_TRUE(nav.isNavigationBarHidden());
}

TEST_F(MainScreen, MenuButtonsWithoutTheirScreenAreDisabled) {
    PublicVars::sharedInstance().setNetworkState(false);
    storeInspector("A123456789", "陳大文");
    load();
    EXPECT_FALSE(screen->menu1Button->isEnabled());
    EXPECT_FALSE(screen->menu2Button->isEnabled());
}

TEST_F(MainScreen, AMenuButtonShowsTheOverlayThenPushesItsScreen) {
    PublicVars::sharedInstance().setNetworkState(false);
    storeInspector("A123456789", "陳大文");
    screen = new MainViewController("MainViewController");
    screen->makeRecordsScreen = [] { return new ViewController("SecurityResendViewController"); };
    nav.pushViewController(screen, false);
    ASSERT_TRUE(screen->menu2Button->isEnabled());
    screen->menu2Button->click();
    EXPECT_EQ(fake.indicator.showing, "資料讀取中");
    EXPECT_EQ(nav.viewControllers().size(), 1);
    fake.clock.advance(0.01);
    EXPECT_EQ(fake.indicator.showing, std::nullopt);
    ASSERT_EQ(nav.viewControllers().size(), 2);
    EXPECT_EQ(nav.topViewController()->layoutName(), "SecurityResendViewController");
}

} // namespace
