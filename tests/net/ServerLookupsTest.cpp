#include "net/ServerLookups.h"
#include "net/NetTimeouts.h"
#include "net/UploadReceiver.h"
#include "support/DiagnosticLines.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

// Answers every fetch with body and remembers the time-out asked for.
void answerWith(FakePlatform& fake, std::optional<QByteArray> body, double* timeout = nullptr) {
    fake.http.onFetch = [body, timeout](const QUrl&, double seconds) {
        if (timeout) *timeout = seconds;
        return body;
    };
}

TEST(InspectorLookup, LogsTheUrlAndWaitsTenSeconds) {
    const DiagnosticLinesOn diagnostics;
    FakePlatform fake;
    double timeout = 0;
    answerWith(fake, R"({"isChker":"Y","chkerName":"546L"})", &timeout);
    const auto answer = lookupInspector("h:81", QString::fromUtf8("x/測>"));
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->accepted());
    EXPECT_EQ(answer->chkerName, "546L");
    EXPECT_EQ(timeout, 10);
    const QString url = "http://h:81/velquarda/GetChkerName?chkerId=WC/muKw+";
    EXPECT_EQ(fake.log.lines, QStringList{"urlString = " + url});
    ASSERT_EQ(fake.http.fetched.size(), 1);
    EXPECT_EQ(fake.http.fetched[0].toEncoded(), url.toUtf8());
}

TEST(InspectorLookup, TellsNoAnswerApartFromARefusal) {
    FakePlatform fake;
    answerWith(fake, std::nullopt);
    EXPECT_FALSE(lookupInspector("h", "A1"));

    answerWith(fake, "<html>busy</html>");
    const auto notJson = lookupInspector("h", "A1");
    ASSERT_TRUE(notJson);
    EXPECT_FALSE(notJson->accepted());
    EXPECT_FALSE(fake.alerts.showing());
}

TEST(InspectorLookup, UsesTheTimeOutInForce) {
    FakePlatform fake;
    NetTimeoutsScope shortened({.inspectorLookup = 0.5, .caseLookup = 0.25, .upload = 1});
    double timeout = 0;
    answerWith(fake, std::nullopt, &timeout);
    lookupInspector("h", "A1");
    EXPECT_EQ(timeout, 0.5);
    lookupCase("h", "P", "C");
    EXPECT_EQ(timeout, 0.25);
}

TEST(CaseLookup, LogsTheTextAndFetchesItEscaped) {
    const DiagnosticLinesOn diagnostics;
    FakePlatform fake;
    double timeout = 0;
    answerWith(fake, R"({"status":"Y","upload_path":"http://h/up"})", &timeout);
    const auto answer = lookupCase("h:81", "電梯 1", "C&2");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, "Y");
    EXPECT_EQ(answer->upload_path, "http://h/up");
    EXPECT_EQ(timeout, 60);
    EXPECT_EQ(fake.log.lines,
              QStringList{"http://h:81/velquarda/GetMobileServlet?pakno=電梯 1&chkno=C&2"});
    ASSERT_EQ(fake.http.fetched.size(), 1);
    EXPECT_EQ(fake.http.fetched[0].toEncoded(),
              "http://h:81/velquarda/GetMobileServlet?pakno=%E9%9B%BB%E6%A2%AF%201&chkno=C&2");
    EXPECT_FALSE(fake.alerts.showing());
}

TEST(CaseLookup, WithoutAnswerTellsTheInspectorAndGivesNone) {
    FakePlatform fake;
    answerWith(fake, std::nullopt);
    EXPECT_FALSE(lookupCase("h", "P", "C"));
    ASSERT_EQ(fake.alerts.count(), 1u);
    const Alert& alert = fake.alerts.current();
    EXPECT_EQ(alert.title, "紀錄傳送中斷");
    EXPECT_EQ(alert.message, "尚未連接網路或後端伺服主機忙碌中, 目前無法傳送");
    EXPECT_EQ(alert.buttonTitles(), QStringList{"知道了"});
    fake.alerts.press(0);
    EXPECT_FALSE(fake.alerts.showing());
}

TEST(CaseLookup, AnAnswerThatIsNoObjectIsNoneWithoutAlert) {
    FakePlatform fake;
    for (const char* body : {"", "not json", R"(["Y"])"}) {
        answerWith(fake, QByteArray(body));
        EXPECT_FALSE(lookupCase("h", "P", "C")) << body;
    }
    EXPECT_FALSE(fake.alerts.showing());
}

struct Outcomes {
    std::vector<UploadOutcome> seen;
    std::shared_ptr<UploadReceiver> receiver =
        std::make_shared<UploadReceiver>([this](const UploadOutcome& o) { seen.push_back(o); });
};

TEST(UploadReceiver, ReadsTheWholeBodyOfTheLastResponse) {
    const DiagnosticLinesOn diagnostics;
    FakePlatform fake;
    Outcomes o;
    o.receiver->didReceiveResponse(302);
    o.receiver->didReceiveData("stale");
    o.receiver->didReceiveResponse(200);
    o.receiver->didReceiveData(R"({"state":"1","msg":"照)");
    o.receiver->didReceiveData(R"(片不足"})");
    o.receiver->didFinishLoading();
    ASSERT_EQ(o.seen.size(), 1u);
    ASSERT_TRUE(o.seen[0].answer);
    EXPECT_FALSE(o.seen[0].answer->accepted());
    EXPECT_EQ(o.seen[0].answer->msg, "照片不足");
    EXPECT_EQ(fake.log.lines, (QStringList{"302", "200", R"({"state":"1","msg":"照片不足"})"}));
}

TEST(UploadReceiver, AFailureIsNoAnswer) {
    FakePlatform fake;
    Outcomes o;
    o.receiver->didReceiveResponse(200);
    o.receiver->didReceiveData(R"({"state":"0"})");
    o.receiver->didFailWithError("Connection closed");
    ASSERT_EQ(o.seen.size(), 1u);
    EXPECT_FALSE(o.seen[0].answer);
    EXPECT_EQ(o.seen[0].error, "Connection closed");
}

// The addresses carry the inspector's ID: without the diagnostic lines
// turned on, nothing of a request or its answer is logged.
TEST(DiagnosticLines, AreOffByDefault) {
    FakePlatform fake;
    answerWith(fake, R"({"isChker":"Y","chkerName":"546L"})");
    ASSERT_TRUE(lookupInspector("h", "A123456789"));
    ASSERT_TRUE(lookupCase("h", "P1", "C1"));
    Outcomes o;
    o.receiver->didReceiveResponse(200);
    o.receiver->didReceiveData(R"({"state":"0"})");
    o.receiver->didFinishLoading();
    EXPECT_EQ(fake.log.lines, QStringList{});
}

} // namespace
