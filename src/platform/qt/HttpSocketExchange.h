#pragma once

#include "platform/Http.h"
#include "platform/qt/HttpAnswerReader.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

// One request over a plain HTTP connection of its own: the head, then the
// body's pieces written straight from the caller's buffers as the socket
// drains, so no more than one chunk of them waits in the socket at a time;
// then the answer, handed to the target as it arrives. The time-out is an
// idle time: it starts again whenever a byte goes out or comes in. Deletes
// itself once the target has had its last event. The target hears how much
// of the body the socket has handed to the system, every 50 ms at most while
// it flows and once when all of it has gone.
class HttpSocketExchange : public QObject {
  public:
    // Starts request (an http URL) at once; parent owns the exchange until it ends.
    static void start(const HttpRequest& request, std::shared_ptr<HttpEvents> target,
                      QObject* parent);

  private:
    HttpSocketExchange(const HttpRequest& request, std::shared_ptr<HttpEvents> target,
                       QObject* parent);

    void writeMore();
    void wrote(qint64 bytes);
    void readAnswer();
    void connectionEnded();
    void finish();
    void fail(const QString& error);
    void close();

    QTcpSocket socket_;
    QTimer idle_;
    HttpBody outgoing_; // the head, then the request's body
    qsizetype piece_ = 0;
    qsizetype offset_ = 0;
    qint64 headBytes_ = 0;
    qint64 written_ = 0; // of the head and the body, by the socket
    QElapsedTimer sinceReport_;
    HttpAnswerReader reader_;
    std::shared_ptr<HttpEvents> target_; // null once its last event went out
    bool responded_ = false;
    double timeoutSeconds_;
};
