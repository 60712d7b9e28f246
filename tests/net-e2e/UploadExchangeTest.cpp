#include "ServerFixture.h"
#include "net/HttpConnect.h"
#include "net/NetTimeouts.h"
#include "net/ServerUrls.h"
#include "net/UploadForm.h"
#include "net/UploadReceiver.h"
#include "support/DiagnosticLines.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// A small JPEG-looking payload whose bytes also hold what a body parser could
// mistake for a boundary.
QByteArray jpeg(int n, int size = 64) {
    QByteArray data("\xFF\xD8\xFF\xE0");
    data += "\r\n--" + QByteArray::number(n) + "\r\n------MorvellatrixBoundary\r\n";
    while (data.size() < size)
        data += char(data.size() * 7 + n);
    return data;
}

FormFields caseFields() {
    return {{"date", "1031231235907"},      {"pakeno", "電梯 1"},      {"Chkno", "C1"},
            {"startTime", "1031231230000"}, {"devToken", "0123-ABCD"}, {"tecuni", "QTEyMw=="},
            {"tecnam", "546L5aSn5piO"},     {"osType", "1"},           {"appVersion", "1.0"}};
}

void addPhotoFields(FormFields& fields, int group, int count) {
    for (int n = 1; n <= count; ++n) {
        const QString suffix = QStringLiteral("_%1_%2").arg(group).arg(n);
        fields += {{"photoTime" + suffix, "1031231235907"},
                   {"PhotoLng" + suffix, "121.5654"},
                   {"PhotoLat" + suffix, "-25.033"}};
    }
}

class UploadExchange : public ServerFixture {
  protected:
    // The status line logged tells how far an exchange got.
    const DiagnosticLinesOn diagnostics;
    // Posts through HttpConnect and waits for the outcome.
    std::optional<UploadOutcome> upload(const FormFields& fields,
                                        const std::optional<QList<QByteArray>>& files1,
                                        const std::optional<QList<QByteArray>>& files2) {
        std::optional<UploadOutcome> outcome;
        auto receiver = std::make_shared<UploadReceiver>([&](const UploadOutcome& o) {
            EXPECT_FALSE(outcome) << "a second outcome";
            outcome = o;
        });
        const QUrl url(uploadUrl("http://" + serverIp() + "/velquarda"));
        HttpConnect::sharedInstance().postConnectDataInfoFiledataInfoFiledataInfo2Target(
            url, fields, files1, files2, receiver);
        pumpUntil([&] { return outcome.has_value(); });
        return outcome;
    }

    QStringList keptUploads() const {
        return QDir(store.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

struct BodyCase {
    const char* name;
    bool inspectorPhoto;
    int sitePhotos, orderPhotos;
    bool unknownTimeAndPlace = false; // photos kept without time and with NaN positions
    int photoBytes = 2000;            // the first photo's size; the n-th is n times as large
};

void PrintTo(const BodyCase& c, std::ostream* os) {
    *os << c.name;
}

// A stored case with its photo file, as the photo screens leave it.
std::pair<CaseRecord, PhotoFile> storedCase(const BodyCase& c) {
    CaseRecord record;
    for (const auto& [name, value] : caseFields().mid(0, 7))
        record.prarms.insert(name, value);
    PhotoFile file;
    int n = 0;
    auto entry = [&n, &c] {
        ++n;
        if (c.unknownTimeAndPlace) return PhotoEntry{jpeg(n, c.photoBytes), {}, NAN, NAN, {}};
        return PhotoEntry{jpeg(n, c.photoBytes * n),
                          QDateTime(QDate(2024, 5, n), QTime(9, n, 0)),
                          25.0f + n / 1000.0f,
                          121.5f - n / 100.0f,
                          {}};
    };
    if (c.inspectorPhoto) file.topPhoto = entry();
    for (int i = 0; i < c.sitePhotos; ++i)
        file.photos << entry();
    for (int i = 0; i < c.orderPhotos; ++i)
        file.photos_1 << entry();
    return {record, file};
}

class AppBodies : public UploadExchange, public testing::WithParamInterface<BodyCase> {};

TEST_P(AppBodies, AreAcceptedAndKeptByteForByte) {
    const auto [record, photos] = storedCase(GetParam());
    const UploadForm form = uploadFormFor(record, photos, "1.0");

    const auto outcome = upload(form.fields, form.files1, form.files2);
    ASSERT_TRUE(outcome);
    ASSERT_TRUE(outcome->answer) << outcome->error.toStdString();
    EXPECT_TRUE(outcome->answer->accepted()) << outcome->answer->msg.value_or("").toStdString();
    EXPECT_TRUE(fake.log.lines.contains("200"));

    ASSERT_EQ(keptUploads().size(), 1);
    const QDir kept(store.filePath(keptUploads()[0]));
    QFile json(kept.filePath("fields.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject stored = QJsonDocument::fromJson(json.readAll()).object();
    EXPECT_EQ(stored.size(), form.fields.size());
    for (const auto& [name, value] : form.fields)
        EXPECT_EQ(stored.value(name).toString(), value) << name.toStdString();
    for (int group : {1, 2}) {
        const QList<QByteArray>& files = group == 1 ? form.files1 : form.files2;
        for (int n = 1; n <= files.size(); ++n) {
            QFile photo(kept.filePath(QStringLiteral("photo_%1_%2.jpg").arg(group).arg(n)));
            ASSERT_TRUE(photo.open(QIODevice::ReadOnly)) << photo.fileName().toStdString();
            EXPECT_EQ(photo.readAll(), files[n - 1]);
        }
    }
    EXPECT_EQ(kept.entryList(QDir::Files).size(), 1 + form.files1.size() + form.files2.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppBodies,
    testing::Values(BodyCase{"no_photos", false, 0, 0}, BodyCase{"site_photos_only", false, 3, 0},
                    BodyCase{"full_case", true, 10, 3},
                    BodyCase{"unknown_time_and_place", true, 1, 1, true},
                    // Photos far larger than what goes to the socket at once.
                    BodyCase{"photos_of_several_chunks", true, 1, 1, false, 700 * 1024}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UploadExchange, TheServerRefusesAnUnsoundBodyWithItsReason) {
    FormFields fields = caseFields();
    fields.removeIf([](const auto& field) { return field.first == "tecuni"; });
    const auto outcome = upload(fields, std::nullopt, std::nullopt);
    ASSERT_TRUE(outcome && outcome->answer);
    EXPECT_FALSE(outcome->answer->accepted());
    EXPECT_EQ(outcome->answer->msg, "缺少欄位 tecuni");
    EXPECT_TRUE(keptUploads().isEmpty());
}

TEST_F(UploadExchange, TheServerRefusesAPhotoWithoutItsFields) {
    FormFields fields = caseFields();
    addPhotoFields(fields, 1, 1);
    const auto outcome = upload(fields, QList<QByteArray>{jpeg(1), jpeg(2)}, std::nullopt);
    ASSERT_TRUE(outcome && outcome->answer);
    EXPECT_FALSE(outcome->answer->accepted());
    EXPECT_EQ(outcome->answer->msg, "照片 photo_1_2 缺少欄位 photoTime_1_2");
}

TEST_F(UploadExchange, AServerThatIsGoneIsAFailure) {
    server.stop();
    const auto outcome = upload(caseFields(), std::nullopt, std::nullopt);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->answer);
    EXPECT_FALSE(outcome->error.isEmpty());
}

struct UploadFaultCase {
    const char* name;
    FaultMode mode;
    double delay;
    bool answered; // false: the connection failed
    bool accepted;
};

void PrintTo(const UploadFaultCase& c, std::ostream* os) {
    *os << c.name;
}

class UploadFaults : public UploadExchange, public testing::WithParamInterface<UploadFaultCase> {
  protected:
    NetTimeoutsScope shortened{{.inspectorLookup = 10, .caseLookup = 10, .upload = 1.5}};
};

TEST_P(UploadFaults, EndClearly) {
    Fault fault;
    fault.mode = GetParam().mode;
    fault.delaySeconds = GetParam().delay;
    fault.status = "1";
    fault.msg = "照片不足";
    fault.hugeBytes = 6 << 20;
    server.setFault(kUploadEndpoint, fault);
    FormFields fields = caseFields();
    addPhotoFields(fields, 1, 2);
    const auto outcome = upload(fields, QList<QByteArray>{jpeg(1, 300000), jpeg(2)}, std::nullopt);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->answer.has_value(), GetParam().answered) << outcome->error.toStdString();
    if (outcome->answer) {
        EXPECT_EQ(outcome->answer->accepted(), GetParam().accepted);
    }
    if (GetParam().mode == FaultMode::Status) {
        EXPECT_EQ(outcome->answer->msg, "照片不足");
    }
    // A refusal without a "msg" says what the server answered.
    if (GetParam().mode == FaultMode::Http500) {
        EXPECT_EQ(outcome->answer->msg, "伺服器回應 HTTP 500 Internal Server Error");
    }
    if (GetParam().delay > 0) {
        EXPECT_EQ(outcome->error, "no answer within 1.5 s");
    }
    // A cut-off answer failed after its status had arrived.
    if (GetParam().mode == FaultMode::Cutoff) {
        EXPECT_TRUE(fake.log.lines.contains("200"));
    }
    EXPECT_EQ(keptUploads().size(), GetParam().accepted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UploadFaults,
    testing::Values(UploadFaultCase{"close", FaultMode::Close, 0, false, false},
                    // Half the answer arrives before the line drops: still a failure.
                    UploadFaultCase{"cutoff", FaultMode::Cutoff, 0, false, false},
                    UploadFaultCase{"slower_than_the_timeout", FaultMode::None, 3, false, false},
                    UploadFaultCase{"http500", FaultMode::Http500, 0, true, false},
                    UploadFaultCase{"not_json", FaultMode::NotJson, 0, true, false},
                    UploadFaultCase{"not_an_object", FaultMode::NotObject, 0, true, false},
                    UploadFaultCase{"refused", FaultMode::Status, 0, true, false},
                    UploadFaultCase{"huge", FaultMode::Huge, 0, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
