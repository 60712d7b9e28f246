#include "net/ServerAnswers.h"
#include "json/JsonParser.h"

#include <gtest/gtest.h>

namespace {

using Text = std::optional<QString>;
const Text none;

struct InspectorCase {
    const char* body;
    Text isChker, chkerName, ver_ios, url_ios, max_up_date, msg;
    bool accepted;
};

void PrintTo(const InspectorCase& c, std::ostream* os) {
    *os << c.body;
}

class InspectorAnswers : public testing::TestWithParam<InspectorCase> {};

TEST_P(InspectorAnswers, ReadMemberByMember) {
    const InspectorCase& c = GetParam();
    const InspectorAnswer a = readInspectorAnswer(c.body);
    EXPECT_EQ(a.isChker, c.isChker);
    EXPECT_EQ(a.chkerName, c.chkerName);
    EXPECT_EQ(a.ver_ios, c.ver_ios);
    EXPECT_EQ(a.url_ios, c.url_ios);
    EXPECT_EQ(a.max_up_date, c.max_up_date);
    EXPECT_EQ(a.msg, c.msg);
    EXPECT_EQ(a.accepted(), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, InspectorAnswers,
    testing::Values(
        InspectorCase{R"({"isChker":"Y","chkerName":"546L","ver_ios":"1.1","url_ios":"u",
                          "max_up_date":"1040630","msg":"通知"})",
                      "Y", "546L", "1.1", "u", "1040630", "通知", true},
        InspectorCase{R"({"isChker":"Y"})", "Y", none, none, none, none, none, true},
        // A refusal is a refusal even with a name; nothing else of it is read.
        InspectorCase{R"({"isChker":"N","chkerName":"546L","msg":"x"})", "N", none, none, none,
                      none, none, false},
        InspectorCase{R"({"isChker":"y"})", "y", none, none, none, none, none, false},
        InspectorCase{R"({"chkerName":"546L"})", none, none, none, none, none, none, false},
        // Members of another type read as none.
        InspectorCase{R"({"isChker":"Y","chkerName":5,"ver_ios":1.1,"msg":null})", "Y", none, none,
                      none, none, none, true},
        InspectorCase{R"({"isChker":true})", none, none, none, none, none, none, false},
        InspectorCase{R"([{"isChker":"Y"}])", none, none, none, none, none, none, false},
        InspectorCase{"<html>busy</html>", none, none, none, none, none, none, false},
        InspectorCase{R"({"isChker":"Y")", none, none, none, none, none, none, false},
        InspectorCase{"", none, none, none, none, none, none, false}));

std::optional<JsonValue> json(const char* text) {
    return JsonParser().objectWithString(text);
}

TEST(CaseLookupAnswer, ReadsEveryMember) {
    const auto a = readCaseLookupAnswer(
        json(R"({"status":"Y","upload_path":"http://h/p","msg":"m","ver_ios":"2","url_ios":"u"})"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->status, "Y");
    EXPECT_EQ(a->upload_path, "http://h/p");
    EXPECT_EQ(a->msg, "m");
    EXPECT_EQ(a->ver_ios, "2");
    EXPECT_EQ(a->url_ios, "u");
}

TEST(CaseLookupAnswer, MissingOrWrongTypedMembersAreNone) {
    const auto a = readCaseLookupAnswer(json(R"({"status":1,"upload_path":["x"],"msg":{}})"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->status, none);
    EXPECT_NE(a->status, QStringLiteral("Y"));
    EXPECT_EQ(a->upload_path, none);
    EXPECT_EQ(a->msg, none);
    EXPECT_EQ(a->ver_ios, none);
}

TEST(CaseLookupAnswer, IsNoneUnlessTheValueIsAnObject) {
    EXPECT_FALSE(readCaseLookupAnswer(std::nullopt));
    EXPECT_FALSE(readCaseLookupAnswer(json(R"([{"status":"Y"}])")));
    EXPECT_TRUE(readCaseLookupAnswer(json("{}")));
}

struct UploadCase {
    const char* body;
    Text state, msg;
    bool accepted;
};

void PrintTo(const UploadCase& c, std::ostream* os) {
    *os << c.body;
}

class UploadAnswers : public testing::TestWithParam<UploadCase> {};

TEST_P(UploadAnswers, AreAcceptedOnlyWithTheTextZero) {
    const UploadAnswer a = readUploadAnswer(GetParam().body);
    EXPECT_EQ(a.state, GetParam().state);
    EXPECT_EQ(a.msg, GetParam().msg);
    EXPECT_EQ(a.accepted(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Bodies, UploadAnswers,
                         testing::Values(UploadCase{R"({"state":"0"})", "0", none, true},
                                         UploadCase{R"({"state":"1","msg":"照片不足"})", "1",
                                                    "照片不足", false},
                                         UploadCase{R"({"state":0})", none, none, false},
                                         UploadCase{R"({"msg":"x"})", none, "x", false},
                                         UploadCase{R"(["state","0"])", none, none, false},
                                         UploadCase{"Internal Server Error", none, none, false},
                                         UploadCase{"", none, none, false}));

} // namespace
