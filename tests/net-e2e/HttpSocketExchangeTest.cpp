// The app's own HTTP connection for uploads, against small servers that answer as a test needs.
#include "platform/qt/HttpAnswerReader.h"
#include "platform/qt/QtHttpClient.h"
#include "platform/qt/TrustedAuthorities.h"
#include "support/TestCertificates.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// Records the events of one request.
struct Recorder : HttpEvents {
    void didReceiveResponse(int code) override { status = code, ++responses; }
    void didReceiveData(const QByteArray& chunk) override { data += chunk; }
    void didFinishLoading() override { finished = true; }
    void didFailWithError(const QString& text) override { error = text; }
    void didSendBodyData(qint64 done, qint64 total) override {
        EXPECT_TRUE(sent.isEmpty() || done > sent.last().first); // only ever grows
        sent << qMakePair(done, total);
    }
    bool ended() const { return finished || !error.isEmpty(); }

    int status = 0;
    int responses = 0;
    QByteArray data;
    bool finished = false;
    QString error;
    QList<QPair<qint64, qint64>> sent; // the body's bytes handed to the system, of all
};

// A server on a free loopback port that reads each request whole (its head and Content-Length
// bytes of body) and then sends the given answer and closes.
class ScriptedServer {
  public:
    explicit ScriptedServer(QByteArray answer) : answer_(std::move(answer)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                received += socket->readAll();
                if (requestIsWhole()) {
                    socket->write(answer_);
                    socket->disconnectFromHost();
                }
            });
        });
    }

    // Takes connections into the kernel's queue only, where nothing reads them.
    void stopReading() { server_.pauseAccepting(); }
    QUrl url(const QString& path = "/up/appUpPhoto.do") const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
    }
    QByteArray head() const { return received.left(received.indexOf("\r\n\r\n") + 4); }
    QByteArray body() const { return received.mid(head().size()); }

    QByteArray received; // the request as it arrived

  private:
    bool requestIsWhole() const {
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (end < 0) return false;
        const qsizetype at = received.indexOf("Content-Length: ");
        const qsizetype length = at < 0 ? 0 : received.mid(at + 16, 20).split('\r')[0].toLongLong();
        return received.size() >= end + 4 + length;
    }

    QTcpServer server_;
    QByteArray answer_;
};

bool pumpUntil(const std::function<bool()>& done) {
    QDeadlineTimer cap(20000);
    while (!done() && !cap.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return done();
}

// A body in three pieces, the middle one far larger than what the connection hands the socket
// at a time.
HttpRequest postOf(const QUrl& url, double timeoutSeconds = 5) {
    QByteArray photo(1500 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < photo.size(); ++i)
        photo[i] = char(i * 131 + i / 977);
    HttpRequest request;
    request.url = url;
    request.method = "POST";
    request.timeoutSeconds = timeoutSeconds;
    request.body.append("--B\r\nfields\r\n");
    request.body.append(photo);
    request.body.append("\r\n--B--\r\n");
    request.headers = {{"Content-Type", "multipart/form-data; boundary=B"},
                       {"Content-Length", QByteArray::number(request.body.size())}};
    return request;
}

struct FramingCase {
    const char* name;
    QByteArray answer;
};

class AnswerFraming : public testing::TestWithParam<FramingCase> {};

TEST_P(AnswerFraming, DeliversTheStatusAndBodyOfEachFraming) {
    ScriptedServer server(GetParam().answer);
    QtHttpClient http;
    const auto events = std::make_shared<Recorder>();
    const HttpRequest request = postOf(server.url());
    http.start(request, events);
    ASSERT_TRUE(pumpUntil([&] { return events->ended(); }));
    EXPECT_TRUE(events->finished) << events->error.toStdString();
    EXPECT_EQ(events->responses, 1);
    EXPECT_EQ(events->status, 200);
    EXPECT_EQ(events->data, R"({"state":"0","msg":""})");
    // What the server read: the head with the caller's headers, then the body byte for byte.
    const QString port = QString::number(server.url().port());
    EXPECT_EQ(server.head(),
              "POST /up/appUpPhoto.do HTTP/1.1\r\nHost: 127.0.0.1:" + port.toLatin1() +
                  "\r\nContent-Type: multipart/form-data; boundary=B\r\n"
                  "Content-Length: " +
                  QByteArray::number(request.body.size()) + "\r\nConnection: close\r\n\r\n");
    EXPECT_TRUE(server.body() == request.body.joined());
    ASSERT_FALSE(events->sent.isEmpty());
    EXPECT_EQ(events->sent.last(), qMakePair(request.body.size(), request.body.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Framings, AnswerFraming,
    testing::Values(FramingCase{"content_length", "HTTP/1.1 200 OK\r\nContent-Length: 22\r\n\r\n"
                                                  R"({"state":"0","msg":""})"},
                    FramingCase{"chunked",
                                "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                "9\r\n{\"state\":\r\nD\r\n\"0\",\"msg\":\"\"}\r\n0\r\n\r\n"},
                    FramingCase{"to_close", "HTTP/1.0 200 OK\r\n\r\n"
                                            R"({"state":"0","msg":""})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpSocketExchange, RefusesAnAnswerOverTheBound) {
    ScriptedServer server("HTTP/1.1 200 OK\r\nContent-Length: 16777217\r\n\r\n{");
    QtHttpClient http;
    const auto events = std::make_shared<Recorder>();
    http.start(postOf(server.url()), events);
    ASSERT_TRUE(pumpUntil([&] { return events->ended(); }));
    EXPECT_EQ(events->error, "the server's answer is larger than 16777216 bytes");
    EXPECT_TRUE(events->data.isEmpty());
}

// The kernel's buffers take some megabytes, then the upload stalls for good.
TEST(HttpSocketExchange, AServerThatStopsReadingRunsIntoTheIdleTimeOut) {
    ScriptedServer server("");
    server.stopReading();
    QtHttpClient http;
    const auto events = std::make_shared<Recorder>();
    HttpRequest request = postOf(server.url(), 0.5);
    request.body.append(QByteArray(48 * 1024 * 1024, 'x'));
    http.start(request, events);
    ASSERT_TRUE(pumpUntil([&] { return events->ended(); }));
    EXPECT_EQ(events->error, "no answer within 0.5 s");
    EXPECT_EQ(events->responses, 0);
    // The progress told is what the socket got rid of: some, never all.
    ASSERT_FALSE(events->sent.isEmpty());
    EXPECT_GT(events->sent.last().first, 0);
    EXPECT_LT(events->sent.last().first, request.body.size());
}

// Over TLS what went into the encryption has not gone yet: the count is of
// the encrypted bytes the system took.
TEST(HttpSocketExchange, OverTlsAServerThatStopsReadingStallsTheCountShortOfTheBody) {
    TestCertificates authority;
    const TestCertificates::Server files = authority.server("DNS:localhost,IP:127.0.0.1");
    ASSERT_EQ(authority.error(), "");
    ASSERT_EQ(trustAuthoritiesOf(authority.authority()), std::nullopt);
    QFile cert(files.cert), key(files.key);
    ASSERT_TRUE(cert.open(QIODevice::ReadOnly) && key.open(QIODevice::ReadOnly));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(&cert));
    tls.setPrivateKey(QSslKey(&key, QSsl::Ec));
    QSslServer server;
    server.setSslConfiguration(tls);
    // After the handshake the server takes a few kilobytes and reads no more.
    QObject::connect(&server, &QSslServer::startedEncryptionHandshake,
                     [](QSslSocket* socket) { socket->setReadBufferSize(16 * 1024); });
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QtHttpClient http;
    const auto events = std::make_shared<Recorder>();
    HttpRequest request =
        postOf(QUrl(QStringLiteral("https://localhost:%1/up").arg(server.serverPort())), 0.5);
    request.body.append(QByteArray(48 * 1024 * 1024, 'x'));
    http.start(request, events);
    ASSERT_TRUE(pumpUntil([&] { return events->ended(); }));
    EXPECT_EQ(events->error, "no answer within 0.5 s");
    ASSERT_FALSE(events->sent.isEmpty());
    EXPECT_GT(events->sent.last().first, 0);
    EXPECT_LT(events->sent.last().first, request.body.size());
}

TEST(HttpSocketExchange, NamesARefusedConnection) {
    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        port = closed.serverPort();
    }
    QtHttpClient http;
    const auto events = std::make_shared<Recorder>();
    http.start(postOf(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(port))), events);
    ASSERT_TRUE(pumpUntil([&] { return events->ended(); }));
    EXPECT_EQ(events->error, "Connection refused");
}

} // namespace
