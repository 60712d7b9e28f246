#include "net/ServerUrls.h"
#include "net/CoordinateText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

TEST(ServerUrls, InspectorLookupCarriesTheUpperCasedIdInBase64Unescaped) {
    EXPECT_EQ(inspectorLookupUrl("10.0.0.5:8080", "a123456789"),
              "http://10.0.0.5:8080/velquarda/GetChkerName?chkerId=QTEyMzQ1Njc4OQ==");
    EXPECT_EQ(chkerIdQueryValue("a123456789"), chkerIdQueryValue("A123456789"));
    // "X/測>" in UTF-8 is Base64 "WC/muKw+": "/" and "+" stay as they are.
    EXPECT_EQ(chkerIdQueryValue(QString::fromUtf8("x/測>")), "WC/muKw+");
}

TEST(ServerUrls, CaseLookupAndUpload) {
    EXPECT_EQ(caseLookupUrl("host", "P 1", "C%1"),
              "http://host/velquarda/GetMobileServlet?pakno=P 1&chkno=C%1");
    EXPECT_EQ(uploadUrl("http://host:81/up"), "http://host:81/up/appUpPhoto.do");
}

TEST(ServerUrls, TheSchemeOfServerIpPicksTlsOrPlainHttp) {
    const std::pair<QString, QString> cases[] = {
        {"10.0.0.5:8080", "http://10.0.0.5:8080"},
        {"http://10.0.0.5:8080", "http://10.0.0.5:8080"},
        {"https://insp.example:8443", "https://insp.example:8443"},
        {"HTTPS://insp.example/", "https://insp.example"},
        {"https://[::1]:8443//", "https://[::1]:8443"},
    };
    for (const auto& [serverIp, base] : cases) {
        SCOPED_TRACE(serverIp.toStdString());
        EXPECT_EQ(inspectorLookupUrl(serverIp, "A1"),
                  base + "/velquarda/GetChkerName?chkerId=QTE=");
        EXPECT_EQ(caseLookupUrl(serverIp, "P", "C"),
                  base + "/velquarda/GetMobileServlet?pakno=P&chkno=C");
    }
}

struct EscapeCase {
    const char* url;
    const char* escaped;
};

class PercentEscapedUrl : public testing::TestWithParam<EscapeCase> {};

TEST_P(PercentEscapedUrl, EscapesOnlyWhatMayNotAppearInAUrl) {
    EXPECT_EQ(percentEscapedUrl(QString::fromUtf8(GetParam().url)), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentEscapedUrl,
    testing::Values(
        EscapeCase{"http://h:80/velquarda/GetMobileServlet?pakno=A-1_b.c~&chkno=9",
                   "http://h:80/velquarda/GetMobileServlet?pakno=A-1_b.c~&chkno=9"},
        EscapeCase{"http://h/p?a=1 2&b=電梯", "http://h/p?a=1%202&b=%E9%9B%BB%E6%A2%AF"},
        // Reserved characters stay.
        EscapeCase{"http://u@h/p;x?a=!$'()*+,;=:@/?#[]", "http://u@h/p;x?a=!$'()*+,;=:@/?#[]"},
        // Neither these nor a literal percent sign may stand in a URL as they are.
        EscapeCase{"http://h/?a=\"<>\\^`{|}%41\t",
                   "http://h/?a=%22%3C%3E%5C%5E%60%7B%7C%7D%2541%09"}));

struct CoordinateCase {
    float degrees;
    const char* text;
};

class CoordinateText : public testing::TestWithParam<CoordinateCase> {};

TEST_P(CoordinateText, IsTheShortestDecimalThatReadsBackAsTheSameFloat) {
    const QString text = coordinateText(GetParam().degrees);
    EXPECT_EQ(text, GetParam().text);
    if (!std::isfinite(GetParam().degrees)) return;
    const std::string bytes = text.toStdString();
    float back = 0;
    std::from_chars(bytes.data(), bytes.data() + bytes.size(), back);
    EXPECT_EQ(std::memcmp(&back, &GetParam().degrees, sizeof back), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CoordinateText,
    testing::Values(CoordinateCase{25.0330f, "25.033"}, CoordinateCase{121.5654f, "121.5654"},
                    CoordinateCase{-33.868820f, "-33.86882"}, CoordinateCase{0.0f, "0"},
                    CoordinateCase{1e-5f, "0.00001"}, CoordinateCase{180.0f, "180"},
                    CoordinateCase{24.123456789f, "24.123457"},
                    // What cannot be read is sent as no position, never as "nan".
                    CoordinateCase{std::numeric_limits<float>::quiet_NaN(), "0"},
                    CoordinateCase{-std::numeric_limits<float>::quiet_NaN(), "0"},
                    CoordinateCase{-std::numeric_limits<float>::infinity(), "0"},
                    CoordinateCase{std::numeric_limits<float>::infinity(), "0"}));

} // namespace
