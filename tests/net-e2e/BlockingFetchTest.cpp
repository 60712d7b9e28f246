#include "ServerFixture.h"
#include "net/NetTimeouts.h"
#include "net/ServerLookups.h"

#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <httplib.h>
#include <thread>

namespace {

// Answers every GET with headers at once, then one space every 50 ms for
// dripSeconds, then a JSON answer that both lookups accept. Each byte would
// restart an idle time-out, so only a bound on the whole fetch ends it early.
class DripServer {
  public:
    explicit DripServer(double dripSeconds) {
        server_.Get(".*", [this, dripSeconds](const httplib::Request&, httplib::Response& res) {
            auto started = std::make_shared<QElapsedTimer>();
            started->start();
            res.set_chunked_content_provider(
                "application/json", [this, started, dripSeconds](size_t, httplib::DataSink& sink) {
                    if (stopping_ || started->elapsed() >= dripSeconds * 1000) {
                        const std::string answer = R"({"isChker":"Y","status":"Y",)"
                                                   R"("upload_path":"http://127.0.0.1/x"})";
                        sink.write(answer.data(), answer.size());
                        sink.done();
                        return true;
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    return sink.write(" ", 1);
                });
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~DripServer() {
        stopping_ = true;
        server_.stop();
        thread_.join();
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

  private:
    httplib::Server server_;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
    int port_ = -1;
};

struct DripCase {
    const char* name;
    double dripSeconds;
    double boundSeconds;
    bool answered;
};

void PrintTo(const DripCase& c, std::ostream* os) {
    *os << c.name;
}

class LookupBound : public testing::TestWithParam<DripCase> {
  protected:
    LookupBound()
        : shortened({.inspectorLookup = GetParam().boundSeconds,
                     .caseLookup = GetParam().boundSeconds,
                     .upload = 60}),
          server(GetParam().dripSeconds) {
        fake.services.http = &http;
        clock.start();
    }
    // Checks the time the lookup blocked: within the bound when it gave up.
    void expectBlockedWithinTheBound() const {
        if (GetParam().answered) return;
        EXPECT_LT(clock.elapsed(), GetParam().boundSeconds * 1000 + 1500);
    }

    FakePlatform fake;
    QtHttpClient http;
    NetTimeoutsScope shortened;
    DripServer server;
    QElapsedTimer clock;
};

TEST_P(LookupBound, InspectorLookup) {
    const auto answer = lookupInspector(server.address(), "A123456789");
    EXPECT_EQ(answer.has_value(), GetParam().answered);
    expectBlockedWithinTheBound();
}

TEST_P(LookupBound, CaseLookup) {
    const auto answer = lookupCase(server.address(), "P1", "C1");
    EXPECT_EQ(answer.has_value(), GetParam().answered);
    EXPECT_EQ(fake.alerts.showing(), !GetParam().answered);
    expectBlockedWithinTheBound();
}

INSTANTIATE_TEST_SUITE_P(
    Drips, LookupBound,
    testing::Values(DripCase{"an_answer_dripped_within_the_bound", 0.3, 3, true},
                    DripCase{"an_answer_dripped_for_longer_than_the_bound", 4, 0.6, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
