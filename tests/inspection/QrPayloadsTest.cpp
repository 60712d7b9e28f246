#include "inspection/QrPayloads.h"

#include <gtest/gtest.h>

namespace {

struct RegistrationCase {
    const char* name;
    QString payload;
    std::optional<RegistrationCode> expected;
    bool needsPermit = true;
};

void PrintTo(const RegistrationCase& c, std::ostream* os) {
    *os << c.name;
}

class RegistrationCodeReading : public testing::TestWithParam<RegistrationCase> {};

TEST_P(RegistrationCodeReading, ReadsFieldsAndTheNeedForAPermit) {
    const RegistrationCase& c = GetParam();
    const std::optional<RegistrationCode> code = readRegistrationCode(c.payload);
    ASSERT_EQ(code.has_value(), c.expected.has_value());
    if (!code) return;
    EXPECT_EQ(code->text, c.payload);
    EXPECT_EQ(code->pakeno, c.expected->pakeno);
    EXPECT_EQ(code->Chkno, c.expected->Chkno);
    EXPECT_EQ(code->needsPermit(), c.needsPermit);
}

const QString kLongField(8000, QLatin1Char('9'));

INSTANTIATE_TEST_SUITE_P(
    Payloads, RegistrationCodeReading,
    testing::Values(
        RegistrationCase{"TwoFieldsNoPermit", "A100,F2024001",
                         RegistrationCode{"", "A100", "F2024001"}, false},
        RegistrationCase{"TwoFieldsPermit", "A100,C2024001",
                         RegistrationCode{"", "A100", "C2024001"}, true},
        RegistrationCase{"LowerCaseFNeedsAPermit", "a100,f2024001",
                         RegistrationCode{"", "a100", "f2024001"}, true},
        RegistrationCase{"FurtherFieldsIgnored", "A100,F1,X,Y", RegistrationCode{"", "A100", "F1"},
                         false},
        RegistrationCase{"EmptyCheckNumberNeedsAPermit", "A100,", RegistrationCode{"", "A100", ""},
                         true},
        RegistrationCase{"OnlyCommas", ",,", RegistrationCode{"", "", ""}, true},
        RegistrationCase{"SpacesKept", " A100 , F1", RegistrationCode{"", " A100 ", " F1"}, true},
        RegistrationCase{"VeryLong", kLongField + "," + kLongField,
                         RegistrationCode{"", kLongField, kLongField}, true},
        RegistrationCase{"CharacterBeyondTheBasicPlane", QString::fromUtf8("A\xF0\x9F\x98\x80,F1"),
                         RegistrationCode{"", QString::fromUtf8("A\xF0\x9F\x98\x80"), "F1"}, false},
        RegistrationCase{"TabAndLineBreaksAllowed", "A\t1\r\n,F1",
                         RegistrationCode{"", "A\t1\r\n", "F1"}, false},
        RegistrationCase{"DeleteAndC1ControlsAllowed", "A100,F1\x7f\u0085",
                         RegistrationCode{"", "A100", "F1\x7f\u0085"}, false},
        RegistrationCase{"NoComma", "A100", std::nullopt},
        RegistrationCase{"Empty", "", std::nullopt},
        RegistrationCase{"AnAddress", "P?type=1&ipno=A100", std::nullopt},
        RegistrationCase{"ControlCharacter",
                         QString("A1\x01"
                                 "0,F1"),
                         std::nullopt},
        RegistrationCase{"Nul", QString("A100,F1") + QChar(0), std::nullopt},
        RegistrationCase{"Escape", "A100,F1\x1b", std::nullopt},
        RegistrationCase{"LoneHighSurrogate", QString("A100,F1") + QChar(0xD83D), std::nullopt},
        RegistrationCase{"LoneLowSurrogate", QString(QChar(0xDE00)) + "A100,F1", std::nullopt},
        RegistrationCase{"SwappedSurrogates",
                         "A100," + QString(QChar(0xDE00)) + QString(QChar(0xD83D)), std::nullopt},
        RegistrationCase{"NonCharacterFFFE", "A100,F1" + QString(QChar(0xFFFE)), std::nullopt},
        RegistrationCase{"NonCharacterFFFF", "A100,F1" + QString(QChar(0xFFFF)), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct PermitCase {
    const char* name;
    QString payload;
    std::optional<QString> number;
};

void PrintTo(const PermitCase& c, std::ostream* os) {
    *os << c.name;
}

class PermitReading : public testing::TestWithParam<PermitCase> {};

TEST_P(PermitReading, FindsThePermitNumberInTheSecondParameter) {
    const PermitCase& c = GetParam();
    EXPECT_EQ(readPermitNumber(c.payload), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, PermitReading,
    testing::Values(
        PermitCase{"SecondParameter", "P?type=1&ipno=A100", QString("A100")},
        PermitCase{"FullAddress", "http://permit.test/q.do?kind=E&ipno=B-200&x=1",
                   QString("B-200")},
        PermitCase{"EmptyNumber", "P?type=1&ipno=", QString("")},
        PermitCase{"NumberEndsAtASecondEquals", "P?type=1&ipno=A100=7", QString("A100")},
        PermitCase{"QuestionMarksCountAsAmpersands", "P?type=1?ipno=A100", QString("A100")},
        PermitCase{"CaseKept", "P?type=1&ipno=a100", QString("a100")},
        PermitCase{"FirstParameter", "P?ipno=A100&type=1", std::nullopt},
        PermitCase{"ThirdParameter", "P?a=1&b=2&ipno=A100", std::nullopt},
        PermitCase{"KeyOnlyLooksLikeIt", "P?type=1&ipno2=A100", std::nullopt},
        PermitCase{"UpperCaseKey", "P?type=1&IPNO=A100", std::nullopt},
        PermitCase{"ThirdPieceWithoutEquals", "P?ipno&ipno", std::nullopt},
        PermitCase{"TooFewPieces", "ipno=A100", std::nullopt},
        PermitCase{"NoKey", "P?type=1&no=A100", std::nullopt},
        PermitCase{"Empty", "", std::nullopt},
        PermitCase{"RegistrationCode", "A100,C2024001", std::nullopt},
        PermitCase{"ControlCharacterInNumber", QString("P?type=1&ipno=A1\x02"), std::nullopt},
        PermitCase{"ControlCharacterElsewhere", QString("P\x1f?type=1&ipno=A100"), std::nullopt},
        PermitCase{"LoneSurrogate", "P?type=1&ipno=A100" + QString(QChar(0xDC00)), std::nullopt},
        PermitCase{"NonCharacter", "P?type=1&ipno=" + QString(QChar(0xFFFF)), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
