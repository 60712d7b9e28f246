#include "InspectionServer.h"
#include "platform/qt/QtHttpClient.h"
#include "screens/MainViewController.h"
#include "store/PublicVars.h"
#include "support/FakePlatform.h"
#include "support/ParameterFileText.h"
#include "ui/NavigationController.h"
#include "util/PublicFunctionParameters.h"

#include <QLabel>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

// The main screen logs in against the stand-in server over real HTTP.
struct LoginEndToEnd : testing::Test {
    LoginEndToEnd() {
        ServerConfig config;
        config.inspectors["A123456789"] = "林&#38748;華";
        config.version.verIos = "2.0";
        config.version.urlIos = "http://127.0.0.1/download";
        config.version.maxUpDate = "1991231";
        server = std::make_unique<InspectionServer>(config);
        port = server->start();
        parameters.open();
        parameters.write(parameterFileText(port, "1.0"));
        parameters.flush();
        setParameterFileOverride("Parameters.plist", parameters.fileName());
        fake.services.http = &http;
        PublicVars::resetSharedInstanceForTesting();
        PublicVars::sharedInstance().setNetworkState(true);
    }
    ~LoginEndToEnd() override {
        server->stop();
        setParameterFileOverride("Parameters.plist", QString());
        PublicVars::resetSharedInstanceForTesting();
    }

    FakePlatform fake;
    QtHttpClient http;
    std::unique_ptr<InspectionServer> server;
    int port = -1;
    QTemporaryFile parameters;
};

TEST_F(LoginEndToEnd, ConfirmsTheInspectorAndOffersTheUpdate) {
    ASSERT_GT(port, 0);
    NavigationController nav;
    auto* screen = new MainViewController("MainViewController");
    nav.pushViewController(screen, false);
    ASSERT_EQ(fake.alerts.current().tag, MainViewController::LoginPrompt);
    fake.alerts.press("好", "a123456789");

    EXPECT_EQ(fake.settings.values.value("chkerId_preference"), "A123456789");
    EXPECT_EQ(fake.settings.values.value("chkerName_preference"), "林靜華");
    EXPECT_EQ(screen->usrLabel->text(), "安檢員：林靜華");
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(fake.alerts.current().tag, MainViewController::SoftUpdate);
    EXPECT_TRUE(fake.alerts.current().message.contains("199/12/31"));
}

TEST_F(LoginEndToEnd, AnUnknownIdIsRefusedAndAStoppedServerIsNoAnswer) {
    NavigationController nav;
    auto* screen = new MainViewController("MainViewController");
    nav.pushViewController(screen, false);
    EXPECT_EQ(screen->verifyLoginId("Z000000000"), MainViewController::Rejected);
    server->stop();
    EXPECT_EQ(screen->verifyLoginId("A123456789"), MainViewController::NoAnswer);
    EXPECT_TRUE(fake.settings.values.isEmpty());
}

} // namespace
