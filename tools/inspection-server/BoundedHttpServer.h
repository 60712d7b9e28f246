#pragma once

#include "ServerLimits.h"

#include <httplib.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class ServerTls;

// A cpp-httplib server, on plain HTTP or TLS, whose connections keep to ServerLimits: the request
// line and headers must arrive whole within a deadline, every later read and
// write waits at most the idle time, a body above the size limit or with two
// different lengths is refused before it is read, and enough workers serve
// connections at once that slow clients cannot starve the others.
class BoundedHttpServer : public httplib::Server {
  public:
    explicit BoundedHttpServer(const ServerLimits& limits);
    ~BoundedHttpServer() override;

    // Serves HTTPS with the PEM certificate and key from now on; refused hears
    // the reason of every handshake that fails. Returns why the files cannot
    // serve, or nothing.
    std::string useTls(const std::string& certFile, const std::string& keyFile,
                       std::function<void(const std::string&)> refused);

    // Binds host:port (port 0 picks a free one) with a listen queue long
    // enough for bursts of clients. Returns the bound port, or -1.
    int bindTo(const std::string& host, int port);

    // Answers an HTTP refusal whose reason must not be lost: JSON
    // {"state":"1","msg":msg}, so a client reading the answer body shows why.
    static void refuse(httplib::Response& response, int status, const std::string& msg);

    // Refuses (and returns true for) a request whose announced body cannot be
    // taken: two different Content-Length values, an unreadable one, or more
    // bytes than the limit. The connection closes after the answer.
    bool refuseUnboundedBody(const httplib::Request& request, httplib::Response& response) const;

    // Returns the whole body of the request that this thread is handling,
    // which must come with a Content-Length within the limit. Otherwise puts
    // the refusal into response, closes the connection after it (the body is
    // left unread) and returns none.
    std::optional<std::string> readBody(const httplib::Request& request,
                                        httplib::Response& response) const;

    // Closes the connection once the answer is sent.
    static void closeAfterAnswer(httplib::Response& response);

  private:
    bool process_and_close_socket(socket_t sock) override;

    ServerLimits limits_;
    std::unique_ptr<ServerTls> tls_;
    std::function<void(const std::string&)> tlsRefused_;
};
