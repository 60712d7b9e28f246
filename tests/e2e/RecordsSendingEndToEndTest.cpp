#include "InspectionServer.h"
#include "net/NetTimeouts.h"
#include "platform/qt/QtHttpClient.h"
#include "platform/qt/TrustedAuthorities.h"
#include "screens/RecordsFixture.h"
#include "support/TestCertificates.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <mutex>

namespace {

// Sending runs of the records screen against the stand-in server over real
// HTTP; everything else on fake services and virtual time.
class RecordsEndToEnd : public RecordsFixture {
  protected:
    RecordsEndToEnd() : server(config(), received.path().toStdString()) {
        port = server.start();
        setServer(QStringLiteral("127.0.0.1:%1").arg(port));
        fake.services.http = &http;
    }
    ~RecordsEndToEnd() override { server.stop(); }

    static ServerConfig config() {
        ServerConfig config;
        config.version = {"1.1", "http://127.0.0.1/download", "1991231", std::nullopt};
        config.cases[{"OVERDUE", "1"}] = {"D", "此案件已逾期", ""};
        config.cases[{"REFUSED", "1"}] = {"N", "查無此案件", ""};
        return config;
    }
    static std::shared_ptr<CaseRecord> caseNumbered(const QString& pakeno, const QString& chkno) {
        auto record = makeCase(pakeno);
        record->Chkno = chkno;
        record->pk = pakeno + u',' + chkno;
        record->prarms["Chkno"] = chkno;
        return record;
    }

    // Lets the app run (its event loop and its virtual time) while the run
    // goes on: until the overlay is gone, or an alert that keeps it up shows.
    void runWhileSending(double capSeconds = 20) {
        QElapsedTimer clock;
        clock.start();
        while (overlayShows() && !fake.alerts.showing() && clock.elapsed() < capSeconds * 1000) {
            fake.clock.advance(0.01);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
    }
    // The case lookups the server has answered, by pakno.
    QStringList lookedUp() const {
        QStringList pakenos;
        for (const std::string& request : server.requests()) {
            const QString target = QString::fromStdString(request);
            if (target.contains("GetMobileServlet"))
                pakenos << target.section("pakno=", 1).section('&', 0, 0);
        }
        return pakenos;
    }
    int uploadsReceived() const {
        return int(QDir(received.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    }
    QString badge(int row) const { return rowTexts().value(row).section('\n', 2); }

    QTemporaryDir received;
    QtHttpClient http;
    InspectionServer server;
    int port = -1;
};

TEST_F(RecordsEndToEnd, ThreeCasesAnsweredYesOverdueAndRefused) {
    ASSERT_GT(port, 0);
    storeCases(
        {caseNumbered("E1", "C1"), caseNumbered("OVERDUE", "1"), caseNumbered("REFUSED", "1")});
    // What the store file holds whenever the server is asked about a case.
    std::mutex mutex;
    QStringList filedAtLookup;
    server.setLogger([&](const std::string& line) {
        if (line.find("GetMobileServlet") == std::string::npos) return;
        const std::lock_guard lock(mutex);
        filedAtLookup << storedStates().join(' ');
    });
    open();
    screen->allSelectButton->click();
    screen->sendButton->click();
    runWhileSending();
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(fake.alerts.current().message, "此案件已逾期");
    fake.alerts.press("知道了");
    runWhileSending();
    EXPECT_EQ(fake.alerts.current().message, "查無此案件");
    fake.alerts.press("知道了");
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::RunSummary);
    EXPECT_EQ(fake.alerts.current().message, "應傳 3 筆\n已傳 1 筆\n逾期 2 筆\n未傳 0 筆");
    EXPECT_FALSE(overlayShows());
    fake.alerts.press("知道了");

    EXPECT_EQ(badge(0), "已傳");
    EXPECT_EQ(badge(1), "逾期");
    EXPECT_EQ(badge(2), "待傳");
    EXPECT_EQ(storedStates(), QStringList({"E1:1", "OVERDUE:2", "REFUSED:0"}));
    EXPECT_EQ(uploadsReceived(), 1);
    server.setLogger(nullptr);
    // Each acceptance and each overdue mark was on disk before the next lookup.
    EXPECT_EQ(filedAtLookup, QStringList({"E1:0 OVERDUE:0 REFUSED:0", "E1:1 OVERDUE:0 REFUSED:0",
                                          "E1:1 OVERDUE:2 REFUSED:0"}));
    // The server announced another version: leaving asks about it.
    screen->popView();
    EXPECT_EQ(fake.alerts.current().tag, SecurityResendViewController::UpdatePrompt);
}

TEST_F(RecordsEndToEnd, ARefusedUploadOnTheSecondOfThreeStopsTheRun) {
    auto incomplete = caseNumbered("P2", "C1");
    incomplete->prarms.remove("devToken"); // the server refuses an upload without it
    storeCases({caseNumbered("P1", "C1"), incomplete, caseNumbered("P3", "C1")});
    open();
    screen->allSelectButton->click();
    screen->startSend();
    runWhileSending();
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::RunStopped);
    EXPECT_EQ(fake.alerts.current().title, "紀錄錯誤");
    EXPECT_FALSE(fake.alerts.current().message.isEmpty()); // the server's reason
    EXPECT_FALSE(overlayShows());
    EXPECT_EQ(lookedUp(), QStringList({"P1", "P2"})); // the third is not tried
    fake.alerts.press("知道了");
    EXPECT_EQ(storedStates(), QStringList({"P1:1", "P2:0", "P3:0"}));
    EXPECT_EQ(ticked(), QStringList({"P1", "P2", "P3"}));
    EXPECT_EQ(uploadsReceived(), 1);

    // The next run starts from the first row; the sent case is skipped.
    screen->startSend();
    runWhileSending();
    EXPECT_EQ(lookedUp(), QStringList({"P1", "P2", "P2"}));
}

struct FaultCase {
    const char* name;
    const char* endpoint;
    Fault fault;
    QString pakeno;     // the case sent
    QString alertTitle; // the alert the run ends with
    QString state;      // the case's state afterwards
};

Fault faultOf(FaultMode mode, nlohmann::json status = nullptr,
              std::optional<std::string> msg = {}) {
    Fault fault;
    fault.mode = mode;
    fault.status = std::move(status);
    fault.msg = std::move(msg);
    fault.hugeBytes = 1 << 20;
    return fault;
}

Fault delayOf(double seconds) {
    Fault fault;
    fault.delaySeconds = seconds;
    return fault;
}

// Every kind of answer on both requests ends the run with the overlay gone
// and the case marked only when the server took it.
TEST_F(RecordsEndToEnd, EveryKindOfAnswerEndsTheRunInOrder) {
    const QString interrupted = "紀錄傳送中斷";
    const QString summary = "記錄傳送結果明細";
    const QString lookupOwn = ""; // a lookup that answers nothing usable ends without a word
    const std::vector<FaultCase> table = {
        {"lookup closed", kCaseEndpoint, faultOf(FaultMode::Close), "P1", interrupted, "0"},
        {"lookup cut off", kCaseEndpoint, faultOf(FaultMode::Cutoff), "P1", interrupted, "0"},
        {"lookup time-out", kCaseEndpoint, delayOf(3), "P1", interrupted, "0"},
        {"lookup HTTP 500", kCaseEndpoint, faultOf(FaultMode::Http500), "P1", lookupOwn, "0"},
        {"lookup not JSON", kCaseEndpoint, faultOf(FaultMode::NotJson), "P1", lookupOwn, "0"},
        {"lookup not an object", kCaseEndpoint, faultOf(FaultMode::NotObject), "P1", lookupOwn,
         "0"},
        {"lookup without status", kCaseEndpoint, faultOf(FaultMode::Status), "P1", lookupOwn, "0"},
        {"lookup unknown status", kCaseEndpoint, faultOf(FaultMode::Status, "W", "請稍後再試"),
         "P1", "資料檢核錯誤", "0"},
        {"lookup without upload path", kCaseEndpoint, faultOf(FaultMode::Status, "Y"), "REFUSED",
         interrupted, "0"},
        {"lookup huge", kCaseEndpoint, faultOf(FaultMode::Huge), "P1", summary, "1"},
        {"upload closed", kUploadEndpoint, faultOf(FaultMode::Close), "P1", interrupted, "0"},
        {"upload cut off", kUploadEndpoint, faultOf(FaultMode::Cutoff), "P1", interrupted, "0"},
        {"upload time-out", kUploadEndpoint, delayOf(3), "P1", interrupted, "0"},
        {"upload HTTP 500", kUploadEndpoint, faultOf(FaultMode::Http500), "P1", "紀錄錯誤", "0"},
        {"upload not JSON", kUploadEndpoint, faultOf(FaultMode::NotJson), "P1", "紀錄錯誤", "0"},
        {"upload not an object", kUploadEndpoint, faultOf(FaultMode::NotObject), "P1", "紀錄錯誤",
         "0"},
        {"upload without state", kUploadEndpoint, faultOf(FaultMode::Status), "P1", "紀錄錯誤",
         "0"},
        {"upload refused", kUploadEndpoint, faultOf(FaultMode::Status, "1", "拒收"), "P1",
         "紀錄錯誤", "0"},
        {"upload huge", kUploadEndpoint, faultOf(FaultMode::Huge), "P1", summary, "1"},
    };
    const NetTimeoutsScope shortTimeouts({10, 1, 1});
    for (const FaultCase& c : table) {
        SCOPED_TRACE(c.name);
        PublicVars::resetSharedInstanceForTesting();
        storeCases({caseNumbered(c.pakeno, c.pakeno == "REFUSED" ? "1" : "C1")});
        open();
        server.setFault(c.endpoint, c.fault);
        screen->allSelectButton->click();
        screen->startSend();
        runWhileSending();
        EXPECT_FALSE(overlayShows());
        if (c.alertTitle.isEmpty()) {
            EXPECT_FALSE(fake.alerts.showing());
        } else {
            ASSERT_TRUE(fake.alerts.showing());
            EXPECT_EQ(fake.alerts.current().title, c.alertTitle);
            if (c.fault.msg) {
                EXPECT_EQ(fake.alerts.current().message, QString::fromStdString(*c.fault.msg));
            }
            fake.alerts.press("知道了");
        }
        EXPECT_EQ(storedStates(), QStringList({c.pakeno + u':' + c.state}));
        EXPECT_EQ(screen->runPosition(), 0);
        server.setFault(c.endpoint, Fault{});
        nav.popViewControllerAnimated(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Sending runs against the stand-in server over HTTPS, its certificate from a
// throw-away authority that the app trusts, or not.
class RecordsOverTls : public RecordsEndToEnd {
  protected:
    static void SetUpTestSuite() {
        trusted = std::make_unique<TestCertificates>();
        stranger = std::make_unique<TestCertificates>(QStringLiteral("Stranger Authority"));
        ASSERT_EQ(trusted->error() + stranger->error(), "");
        ASSERT_EQ(trustAuthoritiesOf(trusted->authority()), std::nullopt);
    }
    static void TearDownTestSuite() {
        trusted.reset();
        stranger.reset();
    }

    // Serves HTTPS with files; returns the port.
    static int serveTls(InspectionServer& tls, const TestCertificates::Server& files) {
        EXPECT_EQ(tls.useTls(files.cert.toStdString(), files.key.toStdString()), "");
        return tls.start();
    }
    static QString localNames() { return QStringLiteral("DNS:localhost,IP:127.0.0.1"); }

    static inline std::unique_ptr<TestCertificates> trusted, stranger;
};

TEST_F(RecordsOverTls, AWholeRunGoesOverTls) {
    InspectionServer tls(config(), received.path().toStdString());
    const int tlsPort = serveTls(tls, trusted->server(localNames()));
    ASSERT_GT(tlsPort, 0);
    setServer(QStringLiteral("https://localhost:%1").arg(tlsPort));
    storeCases({caseNumbered("E1", "C1"), caseNumbered("OVERDUE", "1"), caseNumbered("E2", "C1")});
    open();
    screen->allSelectButton->click();
    screen->startSend();
    runWhileSending();
    EXPECT_EQ(fake.alerts.current().message, "此案件已逾期");
    fake.alerts.press("知道了");
    runWhileSending();
    ASSERT_EQ(fake.alerts.current().tag, SecurityResendViewController::RunSummary);
    EXPECT_EQ(fake.alerts.current().message, "應傳 3 筆\n已傳 2 筆\n逾期 1 筆\n未傳 0 筆");
    EXPECT_EQ(storedStates(), QStringList({"E1:1", "OVERDUE:2", "E2:1"}));
    EXPECT_EQ(uploadsReceived(), 2);
    // Every request reached the TLS server and none the plain one.
    EXPECT_EQ(tls.requests().size(), 5u);
    EXPECT_TRUE(tls.tlsRefusals().empty());
    EXPECT_TRUE(server.requests().empty());
    // The bar filled from the encrypted bytes that went out.
    ASSERT_FALSE(fake.indicator.shares.isEmpty());
    EXPECT_EQ(fake.indicator.shares.last().first, fake.indicator.shares.last().second);
}

struct RefusedCertificate {
    const char* name;
    bool byStranger;
    QString altNames;
    int fromDays, toDays; // its validity, in days from now
};

// A certificate that fails the check, on the lookup's server or on the one
// the upload goes to: the run ends as with a server that cannot be reached,
// the store stays as it was, and nothing is ever sent without TLS.
TEST_F(RecordsOverTls, ACertificateThatFailsTheCheckIsAFailedRequest) {
    const RefusedCertificate table[] = {
        {"for another name", false, "DNS:other.example", -1, 30},
        {"expired", false, localNames(), -60, -30},
        {"from an untrusted authority", true, localNames(), -1, 30},
    };
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const RefusedCertificate& c : table)
        for (const bool atUpload : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (atUpload ? " at the upload" : " at the lookup"));
            TestCertificates& authority = c.byStranger ? *stranger : *trusted;
            InspectionServer refused(config(), received.path().toStdString());
            const int refusedPort =
                serveTls(refused, authority.server(c.altNames, now.addDays(c.fromDays),
                                                   now.addDays(c.toDays)));
            ASSERT_GT(refusedPort, 0) << authority.error().toStdString();
            // The lookup's server sends the upload on to the refused one.
            ServerConfig sending = config();
            sending.defaultCase.uploadPath =
                QStringLiteral("https://localhost:%1/velquarda").arg(refusedPort).toStdString();
            InspectionServer lookups(sending, received.path().toStdString());
            const int lookupPort = serveTls(lookups, trusted->server(localNames()));
            setServer(
                QStringLiteral("https://localhost:%1").arg(atUpload ? lookupPort : refusedPort));
            PublicVars::resetSharedInstanceForTesting();
            storeCases({caseNumbered("E1", "C1")});
            fake.log.lines.clear();
            open();
            screen->allSelectButton->click();
            screen->startSend();
            runWhileSending();
            ASSERT_TRUE(fake.alerts.showing());
            EXPECT_EQ(fake.alerts.current().title, "紀錄傳送中斷");
            fake.alerts.press("知道了");
            EXPECT_FALSE(overlayShows());
            EXPECT_EQ(storedStates(), QStringList({"E1:0"}));
            EXPECT_EQ(uploadsReceived(), 0);
            EXPECT_TRUE(refused.requests().empty());
            ASSERT_FALSE(refused.tlsRefusals().empty());
            for (const std::string& why : refused.tlsRefusals())
                EXPECT_NE(why, "http request"); // plain HTTP knocking at the TLS port
            EXPECT_TRUE(server.requests().empty());
            // The reason is in the log, beside the alert.
            EXPECT_FALSE(fake.log.lines.filter("certificate", Qt::CaseInsensitive).isEmpty())
                << fake.log.lines.join('\n').toStdString();
            nav.popViewControllerAnimated(false);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
}

} // namespace
