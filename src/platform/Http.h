#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>

// Receives the events of one asynchronous request on the main thread, in this
// order: the response (with its status), zero or more chunks of the body, and
// then either the end of loading or a failure. While the request's body goes
// out, progress events may come before all of them.
class HttpEvents {
  public:
    virtual ~HttpEvents() = default;
    // sent of the body's total bytes have been handed to the network; nothing by default.
    virtual void didSendBodyData(qint64 sent, qint64 total) {
        Q_UNUSED(sent);
        Q_UNUSED(total);
    }
    virtual void didReceiveResponse(int statusCode) = 0;
    virtual void didReceiveData(const QByteArray& chunk) = 0;
    virtual void didFinishLoading() = 0;
    virtual void didFailWithError(const QString& error) = 0;
};

// A request body as pieces sent one after another. The pieces share their
// bytes with the QByteArrays they came from (implicit sharing), so a body
// made of large photos is never copied into one block.
class HttpBody {
  public:
    HttpBody() = default;
    // One piece.
    HttpBody(QByteArray bytes) { append(std::move(bytes)); }

    // Adds piece at the end; an empty piece adds nothing.
    void append(QByteArray piece) {
        if (piece.isEmpty()) return;
        size_ += piece.size();
        pieces_.append(std::move(piece));
    }
    const QList<QByteArray>& pieces() const { return pieces_; }
    // Returns the number of bytes of all pieces.
    qsizetype size() const { return size_; }
    // Returns all pieces in one block.
    QByteArray joined() const { return pieces_.isEmpty() ? QByteArray() : pieces_.join(); }

  private:
    QList<QByteArray> pieces_;
    qsizetype size_ = 0;
};

struct HttpRequest {
    QUrl url;
    QByteArray method = "GET";
    QList<QPair<QByteArray, QByteArray>> headers;
    HttpBody body;
    // How long the exchange may stay idle: the time starts again with every
    // byte sent or received.
    double timeoutSeconds = 60;
    bool useCache = false;   // false: always reload from the server
    bool useCookies = false; // false: neither send nor store cookies
};

class HttpClient {
  public:
    virtual ~HttpClient() = default;
    // Starts the request at once; events go to target, which must outlive the
    // request (shared ownership keeps it alive until the last event).
    virtual void start(const HttpRequest& request, std::shared_ptr<HttpEvents> target) = 0;
    // Fetches the whole body of url, blocking the caller for at most
    // timeoutSeconds in all, however slowly the server answers. No user input
    // reaches the app meanwhile, and input queued meanwhile is dropped.
    // Returns none, and logs where and why, when no whole answer came in time
    // (no network, server down, invalid URL, time-out, a certificate that
    // fails the check).
    virtual std::optional<QByteArray> fetch(const QUrl& url, double timeoutSeconds) = 0;
};
