#include "AppRun.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"
#include "support/TestCertificates.h"

#include <QDir>

namespace {

// The records screen in the real app, over a home folder holding three
// stored cases: the inspector ticks two, sorts, sends them to the stand-in
// server (which takes one and declares the other overdue), reads the
// summary and goes back.
class RecordsWalk : public AppRunFixture {
  protected:
    void storeCases() const {
        CaseList cases;
        for (const auto& [pakeno, chkno] :
             {std::pair{"B100", "C1"}, std::pair{"OVERDUE", "1"}, std::pair{"A200", "C1"}}) {
            auto record = testCase(pakeno, chkno, 1, 1);
            record->prarms["devToken"] = "0A1B2C3D-0000-4000-8000-00000000AAAA";
            record->prarms["tecnam"] = "546L5aSn5piO";
            cases << record;
        }
        ASSERT_TRUE(QDir().mkpath(documents()));
        ASSERT_TRUE(writeCaseList(waitingReportPath(documents()), cases));
    }
    QString documents() const { return QDir(home()).filePath("Documents"); }
};

TEST_F(RecordsWalk, TickSortSendAndBack) {
    storeCases();
    const AppRun run = this->run(writeScenario("expect alert 身份驗證\n"
                                               "type A123456789\n"
                                               "press 好\n"
                                               "press 知道了\n"
                                               "press 暫不更新\n"
                                               "tap 檢查紀錄\n"
                                               "expect screen 安檢照片紀錄\n"
                                               "expect rows tbl 3\n"
                                               "tick tbl 0\n"
                                               "tick tbl 1\n"
                                               "screenshot records-ticked\n"
                                               "tap sort_Button\n"
                                               "screenshot sort-menu\n"
                                               "tap 依編號排序\n"
                                               "expect row tbl 0 A200\n"
                                               "screenshot records-sorted\n"
                                               "tap 傳送\n"
                                               "expect alert 資料檢核錯誤 | 此案件已逾期\n"
                                               "press 知道了\n"
                                               "expect alert 記錄傳送結果明細 | "
                                               "應傳 2 筆\\n已傳 1 筆\\n逾期 1 筆\\n未傳 0 筆\n"
                                               "screenshot summary\n"
                                               "press 知道了\n"
                                               "expect row tbl 0 待傳\n"
                                               "expect row tbl 1 已傳\n"
                                               "expect row tbl 2 逾期\n"
                                               "screenshot records-sent\n"
                                               "back\n"
                                               "expect alert 有新的版本可更新\n"
                                               "press 現在不要\n"
                                               "expect screen 主畫面\n"));
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    const CaseListRead stored = readCaseList(waitingReportPath(documents()));
    ASSERT_TRUE(stored.cases);
    QStringList states;
    for (const auto& record : *stored.cases)
        states << record->pakeno + u':' + record->state;
    EXPECT_EQ(states, QStringList({"A200:0", "B100:1", "OVERDUE:2"}));
}

// The deletion question drops cases not yet sent: Enter keeps them, as
// Escape does; only a tap (or Tab to it) on "全部刪除" deletes.
TEST_F(RecordsWalk, EnterOnTheDeletionQuestionKeepsTheCases) {
    storeCases();
    const AppRun run = this->run(writeScenario("expect alert 身份驗證\n"
                                               "type A123456789\n"
                                               "key Return\n"
                                               "press 知道了\n"
                                               "press 暫不更新\n"
                                               "tap 檢查紀錄\n"
                                               "tick tbl 0\n"
                                               "tick tbl 1\n"
                                               "tap deleteCase\n"
                                               "expect alert 刪除\n"
                                               "key Return\n"
                                               "expect rows tbl 3\n"
                                               "tap deleteCase\n"
                                               "expect alert 刪除\n"
                                               "key Escape\n"
                                               "expect rows tbl 3\n"));
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    const CaseListRead stored = readCaseList(waitingReportPath(documents()));
    ASSERT_TRUE(stored.cases);
    EXPECT_EQ(stored.cases->size(), 3);
}

// The same over HTTPS: the app trusts the stand-in server's throw-away
// authority through --ca-file, logs in and sends.
TEST_F(RecordsWalk, SendsOverHttpsToAServerOfAnAuthorityGivenByCaFile) {
    TestCertificates authority;
    const TestCertificates::Server files = authority.server("DNS:localhost,IP:127.0.0.1");
    ASSERT_EQ(authority.error(), "");
    InspectionServer tls(demoConfig());
    ASSERT_EQ(tls.useTls(files.cert.toStdString(), files.key.toStdString()), "");
    const int port = tls.start();
    ASSERT_GT(port, 0);
    pointAt(QStringLiteral("https://localhost:%1").arg(port));
    storeCases();
    // Without the authority the first login finds no server to answer.
    const AppRun untrusting = this->run(
        writeScenario("expect alert 身份驗證\n"
                      "type A123456789\n"
                      "press 好\n"
                      "expect alert 身份驗證 | 無法連接網路或後端數據庫沒有回應, 即將關閉程式\n",
                      "untrusting.scenario"));
    EXPECT_EQ(untrusting.status, 0) << untrusting.out.toStdString() << untrusting.err.toStdString();
    EXPECT_TRUE(tls.requests().empty());
    EXPECT_FALSE(tls.tlsRefusals().empty());

    const QString walk = writeScenario("expect alert 身份驗證\n"
                                       "type A123456789\n"
                                       "press 好\n"
                                       "press 知道了\n"
                                       "press 暫不更新\n"
                                       "expect text 安檢員：王大明\n"
                                       "tap 檢查紀錄\n"
                                       "tick tbl 0\n"
                                       "tap 傳送\n"
                                       "expect alert 記錄傳送結果明細 | "
                                       "應傳 1 筆\\n已傳 1 筆\\n逾期 0 筆\\n未傳 0 筆\n"
                                       "press 知道了\n");
    const AppRun run = this->run(walk, {"--ca-file", authority.authority()});
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(server->requests().empty());
    const std::vector<std::string> requests = tls.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_TRUE(requests[0].starts_with("GET /velquarda/GetChkerName?")) << requests[0];
    EXPECT_TRUE(requests[2].starts_with("POST /velquarda/appUpPhoto.do")) << requests[2];
}

TEST_F(RecordsWalk, ACaFileWithoutACertificateStopsTheAppNamingIt) {
    const QString notPem = writeScenario("# not a certificate\n", "notes.pem");
    const AppRun run = this->run(writeScenario("expect screen 主畫面\n"), {"--ca-file", notPem});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "inspector-app: no PEM certificate in " + notPem + "\n");
}

} // namespace
