#pragma once

#include "platform/Http.h"

#include <QNetworkAccessManager>

// HTTP and HTTPS over QtNetwork, but for asynchronous requests without cache
// or cookies (the uploads): QtNetwork copies a body whole and sends it several
// times slower than a connection of our own, which streams it from the
// caller's buffers (HttpSocketExchange). Asynchronous requests report on the
// main thread; the blocking fetch runs its request on a thread of its own and
// waits for it, so nothing else (no input, no timer) runs on the main thread
// meanwhile, and then drops the input the window system queued while it waited.
class QtHttpClient : public HttpClient {
  public:
    void start(const HttpRequest& request, std::shared_ptr<HttpEvents> target) override;
    std::optional<QByteArray> fetch(const QUrl& url, double timeoutSeconds) override;

  private:
    void startWithManager(const HttpRequest& request, std::shared_ptr<HttpEvents> target);

    QNetworkAccessManager manager_; // also the owner of the open exchanges
};
