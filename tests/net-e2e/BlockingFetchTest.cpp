#include "DripServer.h"
#include "ServerFixture.h"
#include "net/NetTimeouts.h"
#include "net/ServerLookups.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

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
