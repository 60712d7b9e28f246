#include "ServerFixture.h"
#include "net/NetTimeouts.h"
#include "net/ServerLookups.h"
#include "util/HtmlEntities.h"

#include <gtest/gtest.h>

namespace {

class InspectorLookupExchange : public ServerFixture {};

TEST_F(InspectorLookupExchange, AcceptsAKnownInspectorTypedInLowerCase) {
    const auto answer = lookupInspector(serverIp(), QString::fromUtf8("x/測>"));
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->accepted());
    ASSERT_TRUE(answer->chkerName);
    const QString name = QString::fromUtf8(QByteArray::fromBase64(answer->chkerName->toLatin1()));
    EXPECT_EQ(decodeHTMLCharacterEntities(name), "林林華");
    EXPECT_EQ(answer->ver_ios, "1.1");
    EXPECT_EQ(answer->url_ios, "http://example.invalid/app");
    EXPECT_EQ(answer->max_up_date, "1991231");
    EXPECT_EQ(answer->msg, "通知");
    // The Base64 "+" and "/" reached the server as they are.
    EXPECT_EQ(server.requests(),
              std::vector<std::string>{"GET /velquarda/GetChkerName?chkerId=WC/muKw+"});
}

TEST_F(InspectorLookupExchange, RefusesAnUnknownNumber) {
    const auto answer = lookupInspector(serverIp(), "B999999999");
    ASSERT_TRUE(answer);
    EXPECT_FALSE(answer->accepted());
    EXPECT_EQ(answer->isChker, "N");
}

TEST_F(InspectorLookupExchange, GetsNoAnswerFromAServerThatIsGone) {
    server.stop();
    EXPECT_FALSE(lookupInspector(serverIp(), "A123456789"));
}

struct FaultCase {
    const char* name;
    Fault fault;
    // Inspector lookup: none (no answer), refused or accepted.
    enum { None, Refused, Accepted } inspector;
    // Case lookup: none with the alert, none without it, or an answer "Y".
    enum { NoneAlerted, NoneQuiet, Answered } caseLookup;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

Fault fault(FaultMode mode, double delay = 0) {
    Fault f;
    f.mode = mode;
    f.delaySeconds = delay;
    return f;
}

Fault statusFault(nlohmann::json status) {
    Fault f = fault(FaultMode::Status);
    f.status = std::move(status);
    return f;
}

Fault hugeFault() {
    Fault f = fault(FaultMode::Huge);
    f.hugeBytes = 6 << 20;
    return f;
}

const FaultCase kFaults[] = {
    {"close", fault(FaultMode::Close), FaultCase::None, FaultCase::NoneAlerted},
    {"cutoff", fault(FaultMode::Cutoff), FaultCase::None, FaultCase::NoneAlerted},
    {"slower_than_the_timeout", fault(FaultMode::None, 3), FaultCase::None, FaultCase::NoneAlerted},
    {"slow_within_the_timeout", fault(FaultMode::None, 0.3), FaultCase::Accepted,
     FaultCase::Answered},
    {"http500", fault(FaultMode::Http500), FaultCase::Refused, FaultCase::NoneQuiet},
    {"not_json", fault(FaultMode::NotJson), FaultCase::Refused, FaultCase::NoneQuiet},
    {"not_an_object", fault(FaultMode::NotObject), FaultCase::Refused, FaultCase::NoneQuiet},
    {"status_of_wrong_type", statusFault(0), FaultCase::Refused, FaultCase::Answered},
    {"huge", hugeFault(), FaultCase::Accepted, FaultCase::Answered},
};

class LookupFaults : public ServerFixture, public testing::WithParamInterface<FaultCase> {
  protected:
    NetTimeoutsScope shortened{{.inspectorLookup = 1.5, .caseLookup = 1.5, .upload = 1.5}};
};

TEST_P(LookupFaults, InspectorLookupEndsClearly) {
    server.setFault(kInspectorEndpoint, GetParam().fault);
    const auto answer = lookupInspector(serverIp(), "A123456789");
    EXPECT_EQ(answer.has_value(), GetParam().inspector != FaultCase::None);
    if (answer) {
        EXPECT_EQ(answer->accepted(), GetParam().inspector == FaultCase::Accepted);
    }
    EXPECT_FALSE(fake.alerts.showing());
}

TEST_P(LookupFaults, CaseLookupEndsClearly) {
    server.setFault(kCaseEndpoint, GetParam().fault);
    const auto answer = lookupCase(serverIp(), "P1", "C1");
    EXPECT_EQ(answer.has_value(), GetParam().caseLookup == FaultCase::Answered);
    EXPECT_EQ(fake.alerts.showing(), GetParam().caseLookup == FaultCase::NoneAlerted);
    if (fake.alerts.showing()) {
        EXPECT_EQ(fake.alerts.current().title, "紀錄傳送中斷");
    }
    if (answer) {
        // A status of the wrong type reads as none.
        const bool wrongType = GetParam().fault.mode == FaultMode::Status;
        EXPECT_EQ(answer->status, wrongType ? std::nullopt : std::optional<QString>("Y"));
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, LookupFaults, testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

class CaseLookupExchange : public ServerFixture {};

TEST_F(CaseLookupExchange, AnswersYWithAnUploadAddressOnThisServer) {
    const auto answer = lookupCase(serverIp(), "P1", "C1");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, "Y");
    EXPECT_EQ(answer->upload_path, "http://" + serverIp() + "/velquarda");
    EXPECT_EQ(answer->ver_ios, "1.1");
    EXPECT_EQ(answer->url_ios, "http://example.invalid/app");
    EXPECT_FALSE(fake.alerts.showing());
}

TEST_F(CaseLookupExchange, AnswersOverdueWithItsMessage) {
    const auto answer = lookupCase(serverIp(), "OVERDUE", "1");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, "D");
    EXPECT_EQ(answer->msg, "此案件已逾期");
    EXPECT_EQ(answer->upload_path, std::nullopt);
}

TEST_F(CaseLookupExchange, SpacesAndChineseArriveEscapedAndIntact) {
    const auto answer = lookupCase(serverIp(), "電梯 1", "C2");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, "N");
    EXPECT_EQ(answer->msg, "查無此案件");
    EXPECT_EQ(server.requests(),
              std::vector<std::string>{
                  "GET /velquarda/GetMobileServlet?pakno=%E9%9B%BB%E6%A2%AF%201&chkno=C2"});
}

TEST_F(CaseLookupExchange, AServerThatIsGoneGivesNoneAndTheAlert) {
    server.stop();
    EXPECT_FALSE(lookupCase(serverIp(), "P1", "C1"));
    ASSERT_TRUE(fake.alerts.showing());
    EXPECT_EQ(fake.alerts.current().message, "尚未連接網路或後端伺服主機忙碌中, 目前無法傳送");
}

} // namespace
