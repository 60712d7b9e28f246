// The stand-in server's own rules, driven over HTTP by cpp-httplib's client,
// so that its checks do not depend on what the app happens to send.
#include "InspectionServer.h"

#include <httplib.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using Items = httplib::MultipartFormDataItems;

Items soundUpload() {
    Items items;
    for (const char* name : {"date", "pakeno", "Chkno", "startTime", "devToken", "tecuni", "tecnam",
                             "osType", "appVersion"})
        items.push_back({name, "1", "", ""});
    items.push_back({"photoTime_1_1", "1130506090100", "", ""});
    items.push_back({"PhotoLng_1_1", "121.56", "", ""});
    items.push_back({"PhotoLat_1_1", "-25.04", "", ""});
    items.push_back({"photo_1_1", "\xFF\xD8jpeg", "photo_1_1", "image/jpeg"});
    return items;
}

// Changes one part of a sound upload (or adds it).
Items withPart(const httplib::MultipartFormData& part) {
    Items items = soundUpload();
    for (auto& item : items)
        if (item.name == part.name) {
            item = part;
            return items;
        }
    items.push_back(part);
    return items;
}

Items without(const std::string& name) {
    Items items = soundUpload();
    std::erase_if(items, [&](const auto& item) { return item.name == name; });
    return items;
}

class InspectionServerRules : public testing::Test {
  protected:
    InspectionServerRules() : server(ServerConfig{}, store.path().toStdString()) {
        port = server.start();
    }

    nlohmann::json post(const Items& items) {
        httplib::Client client("127.0.0.1", port);
        const auto result = client.Post("/velquarda/appUpPhoto.do", items);
        EXPECT_TRUE(result);
        return result ? nlohmann::json::parse(result->body, nullptr, false) : nlohmann::json();
    }

    nlohmann::json get(const std::string& target) {
        httplib::Client client("127.0.0.1", port);
        const auto result = client.Get(target);
        EXPECT_TRUE(result);
        return result ? nlohmann::json::parse(result->body, nullptr, false) : nlohmann::json();
    }

    QTemporaryDir store;
    InspectionServer server;
    int port = -1;
};

struct Refusal {
    const char* name;
    Items items;
    std::string msg;
};

// A sound upload but for the value of one photo field, which is refused.
Refusal badValue(const char* name, const std::string& field, const std::string& value) {
    return {name, withPart({field, value, "", ""}), "欄位 " + field + " 的值不正確"};
}

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class UploadRefusals : public InspectionServerRules, public testing::WithParamInterface<Refusal> {};

TEST_P(UploadRefusals, NameTheProblemAndKeepNothing) {
    const nlohmann::json answer = post(GetParam().items);
    EXPECT_EQ(answer.value("state", ""), "1");
    EXPECT_EQ(answer.value("msg", ""), GetParam().msg);
    EXPECT_TRUE(QDir(store.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UploadRefusals,
    testing::Values(
        Refusal{"missing_field", without("devToken"), "缺少欄位 devToken"},
        Refusal{"photo_without_fields",
                withPart({"photo_1_2", "\xFF\xD8", "photo_1_2", "image/jpeg"}),
                "照片 photo_1_2 缺少欄位 photoTime_1_2"},
        Refusal{"field_twice",
                [] {
                    Items items = soundUpload();
                    items.push_back({"osType", "2", "", ""});
                    return items;
                }(),
                "欄位重複: osType"},
        Refusal{"not_jpeg", withPart({"photo_1_1", "GIF89a", "photo_1_1", "image/jpeg"}),
                "照片 photo_1_1 不是 JPEG 資料"},
        Refusal{"wrong_file_name", withPart({"photo_1_1", "\xFF\xD8", "a.jpg", "image/jpeg"}),
                "照片 photo_1_1 的檔名不符"},
        Refusal{"wrong_type", withPart({"photo_1_1", "\xFF\xD8", "photo_1_1", "image/png"}),
                "照片 photo_1_1 不是 image/jpeg"},
        Refusal{"unknown_file", withPart({"other", "x", "other.bin", ""}), "不明的檔案: other"},
        badValue("bad_coordinate", "PhotoLng_1_1", "1e5"),
        badValue("nan_coordinate", "PhotoLng_1_1", "nan"),
        badValue("minus_nan_coordinate", "PhotoLat_1_1", "-nan"),
        badValue("minus_inf_coordinate", "PhotoLat_1_1", "-inf"),
        badValue("minus_infinity_coordinate", "PhotoLng_1_1", "-infinity"),
        badValue("bad_time", "photoTime_1_1", "12:00"),
        Refusal{"field_without_photo", withPart({"PhotoLat_2_1", "1", "", ""}),
                "欄位 PhotoLat_2_1 沒有對應的照片"},
        Refusal{"gap_in_numbers",
                [] {
                    Items items = withPart({"photo_1_3", "\xFF\xD8", "photo_1_3", "image/jpeg"});
                    items.push_back({"photoTime_1_3", "1", "", ""});
                    items.push_back({"PhotoLng_1_3", "1", "", ""});
                    items.push_back({"PhotoLat_1_3", "1", "", ""});
                    return items;
                }(),
                "照片編號不連續: photo_1_3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InspectionServerRules, TakesAPhotoWithoutTime) {
    EXPECT_EQ(post(withPart({"photoTime_1_1", "", "", ""})).value("state", ""), "0");
}

struct MalformedForm {
    const char* name;
    const char* body;
    const char* msg;
};

void PrintTo(const MalformedForm& c, std::ostream* os) {
    *os << c.name;
}

class MalformedForms : public InspectionServerRules,
                       public testing::WithParamInterface<MalformedForm> {};

TEST_P(MalformedForms, AreRefusedWithTheirReason) {
    httplib::Client client("127.0.0.1", port);
    const auto result =
        client.Post("/velquarda/appUpPhoto.do", GetParam().body, "multipart/form-data; boundary=B");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 400);
    const nlohmann::json answer = nlohmann::json::parse(result->body, nullptr, false);
    EXPECT_EQ(answer.value("state", ""), "1") << result->body;
    EXPECT_EQ(answer.value("msg", ""), GetParam().msg) << result->body;
    EXPECT_TRUE(QDir(store.path()).isEmpty());
}

#define PART1 "--B\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n"

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedForms,
    testing::Values(
        MalformedForm{"no_opening_boundary", "a=1", "找不到 multipart 的開頭分隔線"},
        MalformedForm{"no_closing_boundary",
                      PART1 "--B\r\nContent-Disposition: form-data; "
                            "name=\"b\"\r\n\r\n2",
                      "第 2 個部分之後沒有分隔線, 上傳內容不完整"},
        MalformedForm{"junk_after_boundary", "--Bx\r\n\r\n1\r\n--B--",
                      "multipart 分隔線後面不是換行"},
        MalformedForm{"headers_without_end", "--B\r\nContent-Disposition: form-data; name=a",
                      "第 1 個部分的標頭沒有結束"},
        MalformedForm{"header_without_colon", "--B\r\nname a\r\n\r\n1\r\n--B--",
                      "第 1 個部分的標頭沒有冒號"},
        MalformedForm{"no_disposition", PART1 "--B\r\nContent-Type: text/plain\r\n\r\n1\r\n--B--",
                      "第 2 個部分沒有 Content-Disposition"},
        MalformedForm{"two_dispositions",
                      "--B\r\nContent-Disposition: form-data; name=a\r\n"
                      "Content-Disposition: form-data; name=b\r\n\r\n1\r\n--B--",
                      "第 1 個部分有兩個 Content-Disposition"},
        MalformedForm{"unterminated_quote",
                      "--B\r\nContent-Disposition: form-data; name=\"a\r\n\r\n1\r\n--B--",
                      "第 1 個部分的 Content-Disposition 引號沒有結束"},
        MalformedForm{"no_name",
                      "--B\r\nContent-Disposition: form-data; filename=\"a\"\r\n\r\n1\r\n--B--",
                      "第 1 個部分沒有名稱"},
        MalformedForm{"empty_name",
                      PART1 "--B\r\nContent-Disposition: form-data; name=\"\"\r\n\r\n1\r\n--B--",
                      "第 2 個部分沒有名稱"},
        MalformedForm{"not_form_data",
                      "--B\r\nContent-Disposition: attachment; name=a\r\n\r\n1\r\n--B--",
                      "第 1 個部分的 Content-Disposition 不是 form-data"}),
    [](const auto& info) { return std::string(info.param.name); });

#undef PART1

TEST_F(InspectionServerRules, RefusesABodyThatIsNoForm) {
    httplib::Client client("127.0.0.1", port);
    const auto result = client.Post("/x/appUpPhoto.do", "state=0", "text/plain");
    ASSERT_TRUE(result);
    EXPECT_EQ(nlohmann::json::parse(result->body).value("msg", ""),
              "上傳內容不是 multipart/form-data");
}

TEST_F(InspectionServerRules, KeepsAnUploadInsideItsFolderWhateverItsCaseNumber) {
    const nlohmann::json answer = post(withPart({"pakeno", "../../escape", "", ""}));
    EXPECT_EQ(answer.value("state", ""), "0");
    const QStringList kept = QDir(store.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(kept, QStringList{"0001-______escape-1"});
    EXPECT_FALSE(QDir(store.path() + "/..").exists("escape"));
}

TEST_F(InspectionServerRules, ReadsTheInspectorIdRawOrEscaped) {
    ServerConfig config;
    config.inspectors["X/測>"] = "名";
    InspectionServer named(config);
    port = named.start();
    EXPECT_EQ(get("/velquarda/GetChkerName?chkerId=WC/muKw+").value("isChker", ""), "Y");
    EXPECT_EQ(get("/velquarda/GetChkerName?chkerId=WC%2FmuKw%2B").value("isChker", ""), "Y");
    // A "+" read as a space, or Base64 that is not canonical, names nobody.
    EXPECT_EQ(get("/velquarda/GetChkerName?chkerId=WC/muKw%20").value("isChker", ""), "N");
    EXPECT_EQ(get("/velquarda/GetChkerName?chkerId=WC/muKw").value("isChker", ""), "N");
    EXPECT_EQ(get("/velquarda/GetChkerName").value("isChker", ""), "N");
}

struct BadConfig {
    const char* text;
    const char* error;
};

class ServerConfigErrors : public testing::TestWithParam<BadConfig> {};

TEST_P(ServerConfigErrors, AreReported) {
    const ConfigReading reading = parseServerConfig(GetParam().text);
    EXPECT_FALSE(reading.config);
    EXPECT_EQ(reading.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerConfigErrors,
    testing::Values(
        BadConfig{"{", "the configuration is not valid JSON"},
        BadConfig{"[]", "the configuration must be a JSON object"},
        BadConfig{R"({"inspectors":{"A1":1}})", "the name of inspector \"A1\" must be a string"},
        BadConfig{R"({"cases":[{"pakno":"P","status":2}]})", "\"status\" must be a string"},
        BadConfig{R"({"faults":{"Upload":{}}})", "unknown endpoint \"Upload\""},
        BadConfig{R"({"faults":{"GetChkerName":{"mode":"explode"}}})",
                  "unknown fault mode \"explode\""},
        BadConfig{R"({"faults":{"GetChkerName":{"delay":-1}}})",
                  "\"delay\" must be a number of seconds"}));

TEST(ServerConfig, ListedCasesStartFromTheDefaultAnswer) {
    const ConfigReading reading = parseServerConfig(R"({
        "default_case": {"status": "N", "msg": "closed", "upload_path": "http://up"},
        "cases": [{"pakno": "P", "chkno": "C", "status": "Y"}]})");
    ASSERT_TRUE(reading.config) << reading.error;
    const CaseAnswer& answer = reading.config->cases.at({"P", "C"});
    EXPECT_EQ(answer.status, "Y");
    EXPECT_EQ(answer.uploadPath, "http://up");
    EXPECT_EQ(reading.config->defaultCase.msg, "closed");
}

TEST(ServerConfig, CommandLineFaults) {
    ServerConfig config;
    EXPECT_EQ(applyFaultOption(config, "appUpPhoto.do=status:1"), "");
    EXPECT_EQ(config.faults[kUploadEndpoint].mode, FaultMode::Status);
    EXPECT_EQ(config.faults[kUploadEndpoint].status, "1");
    EXPECT_EQ(applyFaultOption(config, "GetChkerName=huge:1000"), "");
    EXPECT_EQ(config.faults[kInspectorEndpoint].hugeBytes, 1000u);
    EXPECT_EQ(applyDelayOption(config, "GetMobileServlet=2.5"), "");
    EXPECT_EQ(config.faults[kCaseEndpoint].delaySeconds, 2.5);
    EXPECT_EQ(applyFaultOption(config, "Nope=close"), "unknown endpoint \"Nope\"");
    EXPECT_EQ(applyFaultOption(config, "GetChkerName=huge:lots"), "bad size \"lots\"");
    EXPECT_EQ(applyDelayOption(config, "GetChkerName=-1"), "bad delay \"-1\"");
}

TEST(InspectionServerProgram, PrintsItsPortAndStopsOnSigterm) {
    QProcess program;
    program.start(INSPECTION_SERVER, {"--port", "0", "--quiet"});
    ASSERT_TRUE(program.waitForReadyRead(10000));
    const QByteArray line = program.readLine();
    EXPECT_TRUE(line.startsWith("listening on 127.0.0.1:")) << line.toStdString();
    const int port = line.trimmed().split(':').last().toInt();
    httplib::Client client("127.0.0.1", port);
    const auto result = client.Get("/velquarda/GetMobileServlet?pakno=P&chkno=C");
    ASSERT_TRUE(result);
    EXPECT_EQ(nlohmann::json::parse(result->body).value("status", ""), "Y");
    ::kill(program.processId(), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(InspectionServerProgram, HelpPrintsTheUsageOnStandardOutput) {
    for (const char* help : {"--help", "-h"}) {
        QProcess program;
        program.start(INSPECTION_SERVER, {help});
        ASSERT_TRUE(program.waitForFinished(5000));
        EXPECT_EQ(program.exitCode(), 0) << help;
        EXPECT_TRUE(program.readAllStandardOutput().startsWith("usage: inspection-server")) << help;
        EXPECT_TRUE(program.readAllStandardError().isEmpty()) << help;
    }
}

TEST(InspectionServerProgram, RefusesBadOptions) {
    for (const QStringList& args : {QStringList{"--port", "x"}, QStringList{"--bogus", "1"},
                                    QStringList{"--fault", "GetChkerName=explode"},
                                    QStringList{"--config", "/nonexistent.json"}}) {
        QProcess program;
        program.start(INSPECTION_SERVER, args);
        ASSERT_TRUE(program.waitForFinished(5000));
        EXPECT_EQ(program.exitCode(), 2) << args.join(' ').toStdString();
    }
}

} // namespace
