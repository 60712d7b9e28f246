#include "inspection/CheckStart.h"
#include "store/StoreFixture.h"

namespace {

using Step = CheckStart::Step;

QString permit(const QString& number) {
    return "http://permit.test/q.do?type=1&ipno=" + number;
}

// One order of scans and what each led to, with the check type it ends in.
struct Walk {
    const char* name;
    std::vector<std::pair<bool, QString>> scans; // (registration code?, payload)
    std::vector<Step> steps;
    QString checkType;
};

void PrintTo(const Walk& walk, std::ostream* os) {
    *os << walk.name;
}

class CheckStartWalk : public StoreTest, public testing::WithParamInterface<Walk> {};

TEST_P(CheckStartWalk, DecidesFromTheTwoCodes) {
    CheckStart start;
    start.acceptPermits();
    std::vector<Step> steps;
    for (const auto& [registration, payload] : GetParam().scans)
        steps.push_back(registration ? start.takeRegistrationCode(payload)
                                     : start.takePermit(payload));
    EXPECT_EQ(steps, GetParam().steps);
    EXPECT_EQ(start.checkType(), GetParam().checkType);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, CheckStartWalk,
    testing::Values(
        Walk{"CodeThenMatchingPermit",
             {{true, "E100,C7"}, {false, permit("E100")}},
             {Step::Held, Step::Match},
             "安全檢查"},
        Walk{"PermitThenCode",
             {{false, permit("E100")}, {true, "E100,C7"}},
             {Step::Held, Step::Match},
             "安全檢查"},
        Walk{"PermitForOtherEquipment",
             {{true, "E100,C7"}, {false, permit("E999")}},
             {Step::Held, Step::Mismatch},
             "安全檢查"},
        Walk{"CheckNumberWithFNeedsNoPermit", {{true, "E100,F7"}}, {Step::Match}, "竣工檢查"},
        Walk{"AnEmptyPermitNumberIsNoPermit",
             {{true, "E100,C7"}, {false, permit("")}},
             {Step::Held, Step::Match},
             "竣工檢查"},
        Walk{"ARefusedCodeKeepsWhatWasHeld",
             {{true, "E100,C7"}, {true, "no comma"}, {false, permit("E100")}},
             {Step::Held, Step::NotARegistrationCode, Step::Match},
             "安全檢查"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoreTest, ACheckStartRefusesACodeWhoseCaseIsStored) {
    ASSERT_TRUE(vars().replaceWaitingStoreArray({testCase("E100", "C7")}));
    CheckStart start;
    EXPECT_EQ(start.takeRegistrationCode("E100,C7"), Step::AlreadyPhotographed);
    EXPECT_FALSE(start.registrationCode());
    EXPECT_EQ(start.takeRegistrationCode("E100,C8"), Step::Held);
    EXPECT_EQ(start.registrationCode()->Chkno, "C8");
}

// A scan that is no permit pauses permits until the screen shows again, so a
// reader still delivering frames cannot raise the alert again and again.
TEST_F(StoreTest, ACheckStartPausesPermitsAfterOneThatIsNone) {
    CheckStart start;
    EXPECT_EQ(start.takePermit(permit("E100")), Step::PermitsPaused);
    start.acceptPermits();
    EXPECT_EQ(start.takePermit("E100,C7"), Step::NotAPermit);
    EXPECT_EQ(start.takePermit(permit("E100")), Step::PermitsPaused);
    EXPECT_FALSE(start.permitNumber());
    start.acceptPermits();
    EXPECT_EQ(start.takePermit(permit("E100")), Step::Held);
    EXPECT_EQ(start.permitNumber(), "E100");

    start.reset();
    EXPECT_FALSE(start.permitNumber());
    EXPECT_FALSE(start.registrationCode());
    EXPECT_EQ(start.takeRegistrationCode("E100,C7"), Step::Held);
}

} // namespace
