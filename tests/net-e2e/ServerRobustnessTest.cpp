// The stand-in server as a network service: uploads read whole whatever the
// client's writes, bodies bounded in size, slow clients bounded in time. Raw
// sockets send exactly the bytes, splits and pauses each case needs.
#include "InspectionServer.h"
#include "RawConnection.h"

#include <httplib.h>

#include <QProcess>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const std::string kBoundary = "b0uNd-4096";

struct Part {
    std::string name, value, filename, type;
};

// A sound case upload with one photo.
std::vector<Part> soundParts() {
    std::vector<Part> parts;
    for (const char* name : {"date", "pakeno", "Chkno", "startTime", "devToken", "tecuni", "tecnam",
                             "osType", "appVersion"})
        parts.push_back({name, "1"});
    parts.push_back({"photoTime_1_1", "1130506090100"});
    parts.push_back({"PhotoLng_1_1", "121.56"});
    parts.push_back({"PhotoLat_1_1", "-25.04"});
    parts.push_back({"photo_1_1", "\xFF\xD8jpeg\r\n--b0uNd", "photo_1_1", "image/jpeg"});
    return parts;
}

std::string formBody(const std::vector<Part>& parts, const std::string& preamble = "") {
    std::string body = preamble.empty() ? "" : preamble + "\r\n";
    for (const Part& part : parts) {
        body += "--" + kBoundary + "\r\nContent-Disposition: form-data; name=\"" + part.name + "\"";
        if (!part.filename.empty()) body += "; filename=\"" + part.filename + "\"";
        body += "\r\n";
        if (!part.type.empty()) body += "Content-Type: " + part.type + "\r\n";
        body += "\r\n" + part.value + "\r\n";
    }
    return body + "--" + kBoundary + "--\r\n";
}

// A whole upload request; extraHeaders are lines ending in CRLF.
std::string uploadRequest(const std::string& body, const std::string& extraHeaders = "") {
    return "POST /velquarda/appUpPhoto.do HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: multipart/form-data; boundary=" +
           kBoundary + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

class ServerRobustness : public testing::Test {
  protected:
    explicit ServerRobustness(ServerLimits limits = {}) {
        ServerConfig config;
        config.limits = limits;
        server = std::make_unique<InspectionServer>(config);
        port = server->start();
    }

    // Sends each request in two writes, split where split() says, many
    // connections at a time; returns every answer in order.
    std::vector<std::string> sendAll(const std::vector<std::string>& requests,
                                     const std::function<size_t(size_t)>& split) {
        std::vector<std::string> answers;
        constexpr size_t kBatch = 50;
        for (size_t first = 0; first < requests.size(); first += kBatch) {
            std::vector<std::unique_ptr<RawConnection>> batch;
            const size_t end = std::min(requests.size(), first + kBatch);
            for (size_t i = first; i < end; ++i) {
                batch.push_back(std::make_unique<RawConnection>(port));
                EXPECT_TRUE(batch.back()->send(requests[i].substr(0, split(i))));
            }
            // Lets the server read the first writes on their own.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            for (size_t i = first; i < end; ++i)
                EXPECT_TRUE(batch[i - first]->send(requests[i].substr(split(i))));
            for (auto& connection : batch)
                answers.push_back(connection->readToEnd());
        }
        return answers;
    }

    std::unique_ptr<InspectionServer> server;
    int port = -1;
};

TEST_F(ServerRobustness, KeepsEveryPartWhereverTheClientSplitsItsWrites) {
    const std::string request = uploadRequest(formBody(soundParts()));
    std::vector<std::string> requests(request.size() - 1, request);
    const std::vector<std::string> answers = sendAll(requests, [](size_t i) { return i + 1; });
    for (size_t i = 0; i < answers.size(); ++i)
        ASSERT_EQ(bodyOf(answers[i]), R"({"state":"0"})") << "split after " << i + 1 << " bytes";
}

TEST_F(ServerRobustness, KeepsEveryPartWhateverFallsOnTheReadSizes) {
    // Preambles and request headers of every length that puts the opening
    // boundary, or the end of the headers, across a 4 KB or a 64 KB read.
    std::vector<std::string> requests;
    for (size_t readSize : {4096u, 65536u})
        for (size_t length = readSize - 250; length < readSize + 100; ++length) {
            requests.push_back(
                uploadRequest(formBody(soundParts(), std::string(length - 150, 'p'))));
            if (readSize < 8192) // a longer header line is refused
                requests.push_back(uploadRequest(
                    formBody(soundParts()), "X-Pad: " + std::string(length - 220, 'h') + "\r\n"));
        }
    const std::vector<std::string> answers =
        sendAll(requests, [&](size_t i) { return requests[i].size(); });
    for (size_t i = 0; i < answers.size(); ++i)
        ASSERT_EQ(bodyOf(answers[i]), R"({"state":"0"})") << "request " << i;
}

TEST_F(ServerRobustness, NeverAcceptsABodyThatWasNotReadWhole) {
    const std::string request = uploadRequest(formBody(soundParts()));
    const size_t bodyStart = request.find("\r\n\r\n") + 4;
    for (size_t cut = bodyStart; cut < request.size(); ++cut) {
        RawConnection connection(port);
        ASSERT_TRUE(connection.send(request.substr(0, cut)));
        connection.endWriting();
        const std::string answer = connection.readToEnd();
        ASSERT_EQ(statusOf(answer), 400) << "cut after " << cut << " bytes";
        EXPECT_NE(bodyOf(answer).find("上傳內容不完整"), std::string::npos) << bodyOf(answer);
    }
}

TEST_F(ServerRobustness, BuildsTheUploadPathFromItsOwnAddressNotTheHostHeader) {
    RawConnection connection(port);
    ASSERT_TRUE(connection.send("GET /velquarda/GetMobileServlet?pakno=P&chkno=C HTTP/1.1\r\n"
                                "Host: \"evil\":1\r\nConnection: close\r\n\r\n"));
    const nlohmann::json answer = nlohmann::json::parse(bodyOf(connection.readToEnd()));
    EXPECT_EQ(answer.value("upload_path", ""),
              "http://127.0.0.1:" + std::to_string(port) + "/velquarda");
}

struct HeaderCase {
    const char* name;
    std::string request; // the body is never sent unless written here
    int status;
    const char* msg;
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
    *os << c.name;
}

std::string headersOnly(const std::string& lines) {
    return "POST /velquarda/appUpPhoto.do HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: multipart/form-data; boundary=" +
           kBoundary + "\r\n" + lines + "\r\n";
}

class BodyLimits : public ServerRobustness, public testing::WithParamInterface<HeaderCase> {
  protected:
    BodyLimits() : ServerRobustness(ServerLimits{.maxBodyBytes = 1000}) {}
};

TEST_P(BodyLimits, AreAnsweredBeforeTheBodyIsRead) {
    RawConnection connection(port);
    ASSERT_TRUE(connection.send(GetParam().request));
    // The server answers and closes without waiting for a body.
    const std::string answer = connection.readToEnd(3);
    EXPECT_EQ(statusOf(answer), GetParam().status) << answer;
    const nlohmann::json json = nlohmann::json::parse(bodyOf(answer), nullptr, false);
    EXPECT_EQ(json.value("state", ""), "1") << answer;
    EXPECT_EQ(json.value("msg", ""), GetParam().msg) << answer;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BodyLimits,
    testing::Values(
        HeaderCase{"over_the_limit", headersOnly("Content-Length: 1001\r\n"), 413,
                   "上傳內容過大, 上限為 1000 位元組"},
        HeaderCase{"over_the_limit_expecting_continue",
                   headersOnly("Content-Length: 5000000000\r\nExpect: 100-continue\r\n"), 413,
                   "上傳內容過大, 上限為 1000 位元組"},
        HeaderCase{"two_lengths", headersOnly("Content-Length: 10\r\nContent-Length: 12\r\n"), 400,
                   "兩個不同的 Content-Length"},
        HeaderCase{"unreadable_length", headersOnly("Content-Length: 1e3\r\n"), 400,
                   "Content-Length 不是位元組數: 1e3"},
        HeaderCase{"no_length", headersOnly("Transfer-Encoding: chunked\r\n") + "5\r\nhello\r\n",
                   411, "上傳需要 Content-Length"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServerRobustness, TakesTheSameLengthTwice) {
    const std::string body = formBody(soundParts());
    const std::string length = "Content-Length: " + std::to_string(body.size()) + "\r\n";
    RawConnection connection(port);
    ASSERT_TRUE(connection.send(uploadRequest(body, length)));
    EXPECT_EQ(bodyOf(connection.readToEnd()), R"({"state":"0"})");
}

TEST_F(ServerRobustness, AnswersOthersPromptlyWhileFiftyClientsAreSlow) {
    std::vector<std::unique_ptr<RawConnection>> slow;
    for (int i = 0; i < 50; ++i) {
        slow.push_back(std::make_unique<RawConnection>(port));
        // Half send their headers a line at a time; half stop within the body.
        ASSERT_TRUE(slow.back()->send(i % 2 ? "POST /velquarda/appUpPhoto.do HTTP/1.1\r\n"
                                            : headersOnly("Content-Length: 900\r\n") + "--b0"));
    }
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(1);
    client.set_read_timeout(1);
    for (int round = 0; round < 8; ++round) {
        for (int i = 1; i < 50; i += 2)
            ASSERT_TRUE(slow[i]->send("X-Slow: " + std::to_string(round) + "\r\n"));
        const auto start = Clock::now();
        const auto result = client.Get("/velquarda/GetMobileServlet?pakno=P&chkno=C");
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        ASSERT_TRUE(result) << "round " << round;
        EXPECT_EQ(result->status, 200);
        EXPECT_LT(seconds, 1.0) << "round " << round;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
}

class ShortLimits : public ServerRobustness {
  protected:
    ShortLimits()
        : ServerRobustness(
              ServerLimits{.headerSeconds = 1, .idleSeconds = 0.5, .keepAliveSeconds = 0.5}) {}
};

TEST_F(ShortLimits, CutOffSlowAndSilentClients) {
    RawConnection dribbling(port), stalled(port), silent(port), idle(port);
    ASSERT_TRUE(dribbling.send("POST /velquarda/appUpPhoto.do HTTP/1.1\r\n"));
    ASSERT_TRUE(stalled.send(headersOnly("Content-Length: 900\r\n") + "--b0"));
    // A finished request leaves a kept-alive connection that then says nothing.
    ASSERT_TRUE(idle.send("GET /velquarda/GetMobileServlet HTTP/1.1\r\nHost: h\r\n\r\n"));
    // Header lines every 0.2 s would keep a per-read time-out waiting for good.
    const auto start = Clock::now();
    bool dribblingClosed = false;
    while (!dribblingClosed && Clock::now() - start < std::chrono::seconds(4)) {
        dribbling.send("X-Slow: 1\r\n");
        dribblingClosed = dribbling.closedWithin(0.2);
    }
    EXPECT_TRUE(dribblingClosed);
    const std::string stalledAnswer = stalled.readToEnd(2);
    EXPECT_TRUE(stalled.closedWithin(0));
    EXPECT_EQ(statusOf(stalledAnswer), 400) << stalledAnswer;
    EXPECT_TRUE(silent.closedWithin(2));
    EXPECT_TRUE(idle.closedWithin(2));
}

// The inspection-server program with args; the port it listens on, or -1.
int startProgram(QProcess& program, const QStringList& args) {
    program.start(INSPECTION_SERVER, QStringList{"--port", "0", "--quiet"} + args);
    if (!program.waitForReadyRead(10000)) return -1;
    const QByteArray line = program.readLine().trimmed();
    return line.startsWith("listening on ") ? line.split(':').last().toInt() : -1;
}

TEST(InspectionServerProgram, RefusesBodiesOverItsLimit) {
    struct LimitCase {
        QStringList args;
        uint64_t limit;
    };
    for (const LimitCase& c : {LimitCase{{}, 64u << 20}, LimitCase{{"--max-body", "10"}, 10}}) {
        QProcess program;
        const int port = startProgram(program, c.args);
        ASSERT_GT(port, 0);
        for (uint64_t length : {c.limit, c.limit + 1}) {
            RawConnection connection(port);
            ASSERT_TRUE(
                connection.send(headersOnly("Content-Length: " + std::to_string(length) + "\r\n")));
            connection.endWriting();
            // At the limit the body is awaited (and found cut short).
            EXPECT_EQ(statusOf(connection.readToEnd()), length > c.limit ? 413 : 400) << length;
        }
        program.terminate();
        ASSERT_TRUE(program.waitForFinished(5000));
    }
}

} // namespace
