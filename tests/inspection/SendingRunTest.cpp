#include "inspection/SendingRun.h"
#include "net/UploadReceiver.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"

#include <QUrlQuery>

namespace {

using Notice = SendingRunHost::Notice;

// The screen's side of a run, as a log of what the run asked for.
class RecordingHost : public SendingRunHost {
  public:
    void showRunNotice(Notice kind, const QString& title, const QString& message) override {
        events << QStringLiteral("notice %1 %2: %3").arg(int(kind)).arg(title, message);
        notices.push_back(kind);
    }
    void showRunProgress(const QString& label) override { events << "progress " + label; }
    void hideRunProgress() override { events << "progress off"; }
    void showRunStep(int place, int count, const QString& equipment) override {
        events << QStringLiteral("step %1/%2 %3").arg(place).arg(count).arg(equipment);
    }
    void showRunShare(qint64, qint64) override {}
    void runChangedCases() override { events << "redraw"; }
    void runLearnedVersion(const std::optional<QString>& version,
                           const std::optional<QString>&) override {
        events << "version " + version.value_or("none");
    }

    QStringList events;
    std::vector<Notice> notices;
};

class SendingRunTest : public StoreTest {
  protected:
    SendingRunTest() {
        fake.http.onFetch = [this](const QUrl& url, double) -> std::optional<QByteArray> {
            const QString pakno = QUrlQuery(url).queryItemValue("pakno");
            looked << pakno;
            if (!lookups.contains(pakno)) return std::nullopt;
            return lookups[pakno];
        };
    }
    // Stores the cases and ticks those named.
    void storeAndTick(const CaseList& list, const QStringList& tickedNames) {
        cases = list;
        ASSERT_TRUE(vars().replaceWaitingStoreArray(cases));
        for (const auto& record : cases)
            if (tickedNames.contains(record->pakeno)) ticked.insert(record);
    }
    // Ends the latest upload with this body.
    void answerUpload(const QByteArray& body) {
        ASSERT_FALSE(fake.http.started.empty());
        const std::shared_ptr<HttpEvents> target = fake.http.started.back().target;
        target->didReceiveResponse(200);
        target->didReceiveData(body);
        target->didFinishLoading();
    }
    QStringList storedStates() const {
        QStringList states;
        for (const auto& record :
             readCaseList(waitingReportPath(fake.path())).cases.value_or(CaseList()))
            states << record->pakeno + u':' + record->state;
        return states;
    }

    RecordingHost host;
    CaseList cases;
    TickedCases ticked;
    SendingRun run{host, cases, ticked};
    QMap<QString, QByteArray> lookups;
    QStringList looked;
};

const QByteArray kAccepted = R"({"status":"Y","upload_path":"http://upload.test/velquarda"})";

TEST_F(SendingRunTest, SendsTheTickedCasesInListOrderSavingEachBeforeTheNextLookup) {
    storeAndTick({testCase("A", "1"), testCase("B", "2"), testCase("C", "3")}, {"A", "C"});
    lookups = {{"A", kAccepted}, {"C", kAccepted}};
    run.start("server.test");
    EXPECT_TRUE(looked.isEmpty()); // the overlay is drawn first
    fake.clock.advance(0.01);
    answerUpload(R"({"state":"0"})");
    EXPECT_EQ(storedStates(), QStringList({"A:1", "B:0", "C:0"}));
    EXPECT_EQ(looked, QStringList{"A"});
    fake.clock.advance(0.01);
    answerUpload(R"({"state":"0"})");
    EXPECT_EQ(looked, QStringList({"A", "C"}));
    EXPECT_EQ(storedStates(), QStringList({"A:1", "B:0", "C:1"}));
    EXPECT_TRUE(ticked.empty());
    EXPECT_EQ(run.position(), 3);
    run.noticeDismissed(Notice::Summary);
    EXPECT_EQ(run.position(), 0);
    EXPECT_EQ(host.events,
              QStringList({"progress 資料傳送中", "step 1/2 A", "version none", "redraw",
                           "step 2/2 C", "version none", "redraw",
                           "notice 3 記錄傳送結果明細: 應傳 2 筆\n已傳 2 筆\n逾期 0 筆\n未傳 0 筆",
                           "progress off", "redraw"}));
}

TEST_F(SendingRunTest, NothingTickedIsSaidAndNothingSent) {
    storeAndTick({testCase("A", "1")}, {});
    run.start("server.test");
    fake.clock.advance(0.01);
    EXPECT_EQ(host.notices, std::vector<Notice>{Notice::NothingTicked});
    EXPECT_TRUE(looked.isEmpty());
}

TEST_F(SendingRunTest, AnOverdueCaseIsSavedAtOnceAndCountedWhenDismissed) {
    storeAndTick({testCase("D", "1"), testCase("N", "2")}, {"D", "N"});
    lookups = {{"D", R"({"status":"D","msg":"已逾期"})"}, {"N", R"({"status":"N","msg":"查無"})"}};
    run.start("server.test");
    fake.clock.advance(0.01);
    EXPECT_EQ(storedStates(), QStringList({"D:2", "N:0"}));
    run.noticeDismissed(Notice::Refused);
    fake.clock.advance(0.01);
    run.noticeDismissed(Notice::Refused);
    EXPECT_EQ(host.events.back(), "progress off");
    EXPECT_TRUE(host.events.contains(
        "notice 3 記錄傳送結果明細: 應傳 2 筆\n已傳 0 筆\n逾期 2 筆\n未傳 0 筆"));
}

TEST_F(SendingRunTest, AFailedUploadStopsTheRunAndMarksNothing) {
    storeAndTick({testCase("A", "1"), testCase("B", "2")}, {"A", "B"});
    lookups = {{"A", kAccepted}};
    run.start("server.test");
    fake.clock.advance(0.01);
    answerUpload(R"({"state":"9","msg":"拒收"})");
    EXPECT_EQ(host.notices, std::vector<Notice>{Notice::Stopped});
    EXPECT_EQ(host.events.back(), "progress off");
    run.noticeDismissed(Notice::Stopped);
    EXPECT_EQ(run.position(), 0);
    EXPECT_EQ(storedStates(), QStringList({"A:0", "B:0"}));
    EXPECT_EQ(ticked.size(), 2u);
}

TEST_F(SendingRunTest, ALongListWithFewTicksIsWalkedWithoutDeepening) {
    // One frame per skipped case would overflow the stack long before the end.
    constexpr int kCases = 100000;
    CaseList list;
    list.reserve(kCases);
    for (int i = 0; i < kCases; ++i) {
        auto record = std::make_shared<CaseRecord>();
        record->pakeno = QString::number(i);
        record->state = "0";
        list.append(std::move(record));
    }
    cases = list;
    ticked = {list.front()};
    lookups = {{"0", R"({"status":"N","msg":"查無"})"}};
    run.start("server.test");
    fake.clock.advance(0.01);
    run.noticeDismissed(Notice::Refused);
    EXPECT_EQ(looked, QStringList{"0"});
    EXPECT_EQ(run.position(), kCases);
    EXPECT_EQ(host.notices.back(), Notice::Summary);
    EXPECT_TRUE(ticked.empty());
}

} // namespace
