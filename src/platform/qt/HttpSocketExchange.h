#pragma once

#include "platform/Http.h"
#include "platform/qt/HttpAnswerReader.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSslSocket>
#include <QTimer>

// One request over an HTTP or HTTPS connection of its own: the head, then the
// body's pieces written straight from the caller's buffers as the socket
// drains, so no more than one chunk of them waits in the socket at a time;
// then the answer, handed to the target as it arrives. The time-out is an
// idle time: it starts again whenever a byte goes out or comes in. Deletes
// itself once the target has had its last event. The target hears how much
// of the body the socket has handed to the system (over TLS: encrypted),
// every 50 ms at most while it flows and once when all of it has gone.
class HttpSocketExchange : public QObject {
  public:
    // Starts request (an http or https URL) at once; parent owns the exchange
    // until it ends. An https server must show a certificate for the URL's
    // host from an authority the default TLS configuration trusts.
    static void start(const HttpRequest& request, std::shared_ptr<HttpEvents> target,
                      QObject* parent);

  private:
    HttpSocketExchange(const HttpRequest& request, std::shared_ptr<HttpEvents> target,
                       QObject* parent);

    void writeMore();
    void wrote(qint64 bytes);
    // Tells the target how much of the body has gone out, if it is time to.
    void report();
    void readAnswer();
    void connectionEnded();
    void finish();
    void fail(const QString& error);
    void close();

    QSslSocket socket_; // unencrypted for http
    QTimer idle_;
    HttpBody outgoing_; // the head, then the request's body
    qsizetype piece_ = 0;
    qsizetype offset_ = 0;
    qint64 headBytes_ = 0;
    qint64 written_ = 0; // of the head and the body, by the socket (over TLS: to encryption)
    QElapsedTimer sinceReport_;
    HttpAnswerReader reader_;
    std::shared_ptr<HttpEvents> target_; // null once its last event went out
    bool responded_ = false;
    double timeoutSeconds_;
    bool tls_;
};
