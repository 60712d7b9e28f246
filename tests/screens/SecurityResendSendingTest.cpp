#include "screens/RecordsFixture.h"

#include <QFile>
#include <QUrlQuery>

namespace {

using Sending = RecordsFixture;

// A case lookup answer as the server writes it.
QByteArray lookupAnswer(const QString& status, const QString& extra = {}) {
    return QStringLiteral(R"({"status":"%1"%2})").arg(status, extra).toUtf8();
}

const QString kUploadPath = R"(,"upload_path":"http://upload.test/velquarda")";

// Answers each case lookup by the case's registration number.
void answerLookups(FakeHttp& http, const QMap<QString, QByteArray>& byPakeno) {
    http.onFetch = [byPakeno](const QUrl& url, double) -> std::optional<QByteArray> {
        const QString pakno = QUrlQuery(url).queryItemValue("pakno");
        if (!byPakeno.contains(pakno)) return std::nullopt;
        return byPakeno[pakno];
    };
}

// Ends the latest upload with this body.
void answerUpload(FakeHttp& http, const QByteArray& body) {
    ASSERT_FALSE(http.started.empty());
    const std::shared_ptr<HttpEvents> target = http.started.back().target;
    target->didReceiveResponse(200);
    target->didReceiveData(body);
    target->didFinishLoading();
}

QString pakenoOf(const QUrl& url) {
    return QUrlQuery(url).queryItemValue("pakno");
}

TEST_F(Sending, NothingTickedSaysSoAndSendsNothing) {
    storeCases({makeCase("P1")});
    open();
    screen->sendButton->click();
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(fake.alerts.current().title, "");
    EXPECT_EQ(fake.alerts.current().message, "請先勾選案件後再傳送");
    EXPECT_FALSE(overlayShows());
    EXPECT_TRUE(fake.http.fetched.isEmpty());
}

TEST_F(Sending, ARunAfterASortSendsTheTickedCasesInTheShownOrderAndSavesEachAcceptance) {
    openTickTwoAndSort(); // C, B, A
    answerLookups(
        fake.http,
        {{"C", lookupAnswer("Y", kUploadPath)},
         {"A", lookupAnswer("Y", kUploadPath + R"(,"ver_ios":"1.1","url_ios":"http://u.test")")}});
    screen->startSend();
    EXPECT_EQ(fake.indicator.showing, "資料傳送中");
    EXPECT_TRUE(fake.http.fetched.isEmpty()); // the lookup waits for the overlay
    fake.clock.advance(0.01);
    ASSERT_EQ(fake.http.fetched.size(), 1);
    EXPECT_EQ(fake.http.fetched[0].toString(),
              "http://server.test:8080/velquarda/GetMobileServlet?pakno=C&chkno=C1");
    ASSERT_EQ(fake.http.started.size(), 1u);
    const HttpRequest& upload = fake.http.started[0].request;
    EXPECT_EQ(upload.url.toString(), "http://upload.test/velquarda/appUpPhoto.do");
    EXPECT_TRUE(
        upload.body.joined().contains("name=\"photo_1_2\"")); // the top photo, then the site photo
    EXPECT_TRUE(upload.body.joined().contains("name=\"photo_2_1\""));
    EXPECT_TRUE(upload.body.joined().contains("name=\"appVersion\"\r\n\r\n1.0\r\n"));
    fake.http.started[0].target->didSendBodyData(300, 1200); // the bar follows the upload
    EXPECT_EQ(fake.indicator.shares, (QList<QPair<qint64, qint64>>{{300, 1200}}));

    answerUpload(fake.http, R"({"state":"0"})");
    // On disk before the next case is even looked up.
    EXPECT_EQ(storedStates(), QStringList({"C:1", "B:0", "A:0"}));
    EXPECT_EQ(rowTexts()[0].section('\n', 2), "已傳");
    fake.clock.advance(0.01);
    ASSERT_EQ(fake.http.fetched.size(), 2); // B is not ticked
    EXPECT_EQ(pakenoOf(fake.http.fetched[1]), "A");
    answerUpload(fake.http, R"({"state":"0"})");
    EXPECT_EQ(storedStates(), QStringList({"C:1", "B:0", "A:1"}));

    // Each case's place among the ticked ones and its number, and the bar
    // as the upload tells it.
    EXPECT_EQ(fake.indicator.steps, QStringList({"1/2 C", "2/2 A"}));

    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::RunSummary);
    EXPECT_EQ(fake.alerts.current().title, "記錄傳送結果明細");
    EXPECT_EQ(fake.alerts.current().message, "應傳 2 筆\n已傳 2 筆\n逾期 0 筆\n未傳 0 筆");
    EXPECT_FALSE(overlayShows());
    EXPECT_TRUE(ticked().isEmpty());
    fake.alerts.press("知道了");
    EXPECT_EQ(screen->runPosition(), 0);
    EXPECT_EQ(screen->ver_ios, "1.1");
    screen->popView();
    EXPECT_EQ(fake.alerts.current().tag, SecurityResendViewController::UpdatePrompt);
}

TEST_F(Sending, TickedCasesThatAreAllSentGiveASummaryOfZeros) {
    storeCases({makeCase("S1", "1"), makeCase("S2", "1")});
    open();
    screen->allSelectButton->click();
    screen->startSend();
    EXPECT_TRUE(fake.http.fetched.isEmpty());
    EXPECT_EQ(fake.alerts.current().message, "應傳 0 筆\n已傳 0 筆\n逾期 0 筆\n未傳 0 筆");
    EXPECT_TRUE(ticked().isEmpty());
    EXPECT_FALSE(overlayShows());
}

struct StopCase {
    const char* name;
    QByteArray lookup;                 // the lookup's answer; empty for none
    std::optional<QString> alertTitle; // none: the run ends without an alert of its own
    QString alertMessage;
};

// Each way a run stops before an upload: the overlay goes, nothing is
// marked, and the next run starts from the first row again.
TEST_F(Sending, ARunThatStopsBeforeAnUploadMarksNothing) {
    const std::vector<StopCase> table = {
        {"no answer", {}, "紀錄傳送中斷", "尚未連接網路或後端伺服主機忙碌中, 目前無法傳送"},
        {"not an object", "[1,2]", std::nullopt, {}},
        {"unknown status", lookupAnswer("X"), std::nullopt, {}},
        {"unknown status with msg", lookupAnswer("X", R"(,"msg":"系統維護中")"), "資料檢核錯誤",
         "系統維護中"},
        {"no upload path", lookupAnswer("Y"), "紀錄傳送中斷",
         "尚未連接網路或後端伺服主機忙碌中, 目前無法傳送"},
    };
    storeCases({makeCase("P1"), makeCase("P2")});
    open();
    for (const StopCase& c : table) {
        SCOPED_TRACE(c.name);
        fake.http.fetched.clear();
        answerLookups(fake.http, c.lookup.isEmpty() ? QMap<QString, QByteArray>()
                                                    : QMap<QString, QByteArray>{{"P1", c.lookup}});
        screen->allSelectButton->click();
        screen->startSend();
        fake.clock.advance(0.01);
        EXPECT_FALSE(overlayShows());
        EXPECT_TRUE(fake.http.started.empty());
        ASSERT_EQ(fake.http.fetched.size(), 1);
        EXPECT_EQ(pakenoOf(fake.http.fetched[0]), "P1");
        if (c.alertTitle) {
            ASSERT_TRUE(fake.alerts.showing());
            EXPECT_EQ(fake.alerts.current().title, *c.alertTitle);
            EXPECT_EQ(fake.alerts.current().message, c.alertMessage);
            fake.alerts.press("知道了");
        }
        EXPECT_FALSE(fake.alerts.showing());
        EXPECT_EQ(screen->runPosition(), 0);
        EXPECT_EQ(ticked(), QStringList({"P1", "P2"}));
        EXPECT_EQ(storedStates(), QStringList({"P1:0", "P2:0"}));
    }
}

TEST_F(Sending, ACaseWhosePhotosCannotBeReadIsNotSent) {
    storeCases({makeCase("P1"), makeCase("P2")});
    open();
    const CaseRecord& first = *screen->storeRecordArray()[0];
    QFile photoFile(*photoFilePath(fake.path(), *first.photoId));
    ASSERT_TRUE(photoFile.open(QIODevice::WriteOnly));
    photoFile.write("<plist>cut off");
    photoFile.close();
    answerLookups(fake.http,
                  {{"P1", lookupAnswer("Y", kUploadPath)}, {"P2", lookupAnswer("Y", kUploadPath)}});
    screen->allSelectButton->click();
    screen->startSend();
    fake.clock.advance(0.01);
    EXPECT_TRUE(fake.http.started.empty());
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::RunStopped);
    EXPECT_TRUE(fake.alerts.current().message.contains("P1,C1"));
    EXPECT_FALSE(overlayShows());
    fake.alerts.press(0);
    EXPECT_EQ(storedStates(), QStringList({"P1:0", "P2:0"}));
    EXPECT_TRUE(photoFile.exists()); // kept for whoever mends it
}

TEST_F(Sending, OverdueAndRefusedCasesAreCountedWhenTheirAlertIsDismissed) {
    storeCases({makeCase("D1"), makeCase("N1")});
    open();
    answerLookups(fake.http, {{"D1", lookupAnswer("D", R"(,"msg":"已逾期")")},
                              {"N1", lookupAnswer("N", R"(,"msg":"查無此案件")")}});
    screen->allSelectButton->click();
    screen->startSend();
    fake.clock.advance(0.01);
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::LookupRefused);
    EXPECT_EQ(fake.alerts.current().title, "資料檢核錯誤");
    EXPECT_EQ(fake.alerts.current().message, "已逾期");
    EXPECT_EQ(storedStates(), QStringList({"D1:2", "N1:0"})); // saved at once
    EXPECT_TRUE(overlayShows());
    fake.alerts.press("知道了");
    fake.clock.advance(0.01);
    EXPECT_EQ(fake.alerts.current().message, "查無此案件");
    fake.alerts.press("知道了");
    EXPECT_EQ(fake.alerts.current().message, "應傳 2 筆\n已傳 0 筆\n逾期 2 筆\n未傳 0 筆");
    fake.alerts.press("知道了");
    EXPECT_EQ(rowTexts()[0].section('\n', 2), "逾期");
    EXPECT_EQ(rowTexts()[1].section('\n', 2), "待傳");
}

} // namespace
