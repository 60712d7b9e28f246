#include "net/Multipart.h"
#include "net/HttpConnect.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

const QByteArray B = "----MorvellatrixBoundarycC4YiaUFwM44F6rT";

QByteArray textPart(const QByteArray& name, const QByteArray& value) {
    return "--" + B + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value +
           "\r\n";
}

QByteArray filePart(const QByteArray& name, const QByteArray& jpeg) {
    return "--" + B + "\r\nContent-Disposition: form-data; name=\"" + name + "\"; filename=\"" +
           name + "\"\r\nContent-Type: image/jpeg\r\n\r\n" + jpeg + "\r\n";
}

const QByteArray closing = "--" + B + "--\r\n";

struct BodyCase {
    const char* what;
    FormFields fields;
    std::optional<QList<QByteArray>> files1, files2;
    QByteArray expected;
};

void PrintTo(const BodyCase& c, std::ostream* os) {
    *os << c.what;
}

class MultipartBody : public testing::TestWithParam<BodyCase> {};

TEST_P(MultipartBody, IsExactlyTheseBytes) {
    const BodyCase& c = GetParam();
    EXPECT_EQ(multipartBody(c.fields, c.files1, c.files2), c.expected);
}

const QByteArray jpeg1("\xFF\xD8\x01\r\n--\x00\xFF\xD9", 10);
const QByteArray jpeg2("\xFF\xD8\x02", 3);

INSTANTIATE_TEST_SUITE_P(
    Cases, MultipartBody,
    testing::Values(BodyCase{"nothing", {}, std::nullopt, std::nullopt, closing},
                    BodyCase{"one field",
                             {{"osType", "1"}},
                             std::nullopt,
                             std::nullopt,
                             textPart("osType", "1") + closing},
                    BodyCase{"empty lists add no parts",
                             {{"a", ""}},
                             QList<QByteArray>{},
                             QList<QByteArray>{},
                             textPart("a", "") + closing},
                    // Placeholders and non-ASCII in names or values go out as written, in UTF-8.
                    BodyCase{"text as written",
                             {{"tecnam", "王大明 %1 %2"}, {"名", "%1"}},
                             std::nullopt,
                             std::nullopt,
                             textPart("tecnam", "王大明 %1 %2") + textPart("名", "%1") + closing},
                    BodyCase{"files after fields numbered per list",
                             {{"date", "1031231235907"}, {"osType", "1"}},
                             QList<QByteArray>{jpeg1, jpeg2, jpeg1},
                             QList<QByteArray>{jpeg2},
                             textPart("date", "1031231235907") + textPart("osType", "1") +
                                 filePart("photo_1_1", jpeg1) + filePart("photo_1_2", jpeg2) +
                                 filePart("photo_1_3", jpeg1) + filePart("photo_2_1", jpeg2) +
                                 closing},
                    BodyCase{"second list alone starts at 1",
                             {},
                             std::nullopt,
                             QList<QByteArray>{jpeg1},
                             filePart("photo_2_1", jpeg1) + closing}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(' ', '_');
        return name.toStdString();
    });

TEST(MultipartBody, WithoutFieldsOrFilesIsTheClosingLineOf46Bytes) {
    const QByteArray body = multipartBody({}, std::nullopt, std::nullopt);
    EXPECT_EQ(body.size(), 46);
    EXPECT_EQ(body, "------MorvellatrixBoundarycC4YiaUFwM44F6rT--\r\n");
}

TEST(MultipartBody, NumbersPastNineHaveNoLeadingZeros) {
    const QList<QByteArray> eleven(11, jpeg2);
    const QByteArray body = multipartBody({}, eleven, std::nullopt);
    EXPECT_TRUE(body.contains("name=\"photo_1_10\"; filename=\"photo_1_10\"\r\n"));
    EXPECT_TRUE(body.contains("name=\"photo_1_11\"; filename=\"photo_1_11\"\r\n"));
    EXPECT_FALSE(body.contains("photo_1_12"));
    EXPECT_FALSE(body.contains("photo_1_01"));
}

TEST(HttpConnect, StartsOnePostWithTheBodyAndItsHeaders) {
    FakePlatform fake;
    struct Events : HttpEvents {
        void didReceiveResponse(int) override {}
        void didReceiveData(const QByteArray&) override {}
        void didFinishLoading() override {}
        void didFailWithError(const QString&) override {}
    };
    const auto events = std::make_shared<Events>();
    const QUrl url("http://host:8080/velquarda/appUpPhoto.do");
    HttpConnect::sharedInstance().postConnectDataInfoFiledataInfoFiledataInfo2Target(
        url, {{"osType", "1"}}, QList<QByteArray>{jpeg1}, std::nullopt, events);

    ASSERT_EQ(fake.http.started.size(), 1u);
    const HttpRequest& request = fake.http.started[0].request;
    EXPECT_EQ(fake.http.started[0].target, events);
    EXPECT_EQ(request.url, url);
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body.joined(),
              textPart("osType", "1") + filePart("photo_1_1", jpeg1) + closing);
    const QList<QPair<QByteArray, QByteArray>> headers = {
        {"Content-Type", "multipart/form-data; boundary=" + B},
        {"Content-Length", QByteArray::number(request.body.size())}};
    EXPECT_EQ(request.headers, headers);
    EXPECT_EQ(request.timeoutSeconds, 60);
    EXPECT_FALSE(request.useCache);
    EXPECT_FALSE(request.useCookies);
    EXPECT_EQ(&HttpConnect::sharedInstance(), &HttpConnect::sharedInstance());
}

} // namespace
