#pragma once

#include <QString>
#include <atomic>
#include <httplib.h>
#include <string>
#include <thread>

// A lookup answer that both lookups accept: inspector known, case open.
inline constexpr char kLookupsAccepted[] =
    R"({"isChker":"Y","status":"Y","upload_path":"http://127.0.0.1/x"})";

// An HTTP server on a free loopback port that answers every GET with
// headers at once, then one space every 50 ms for dripSeconds, then answer.
// Each byte would restart an idle time-out, so only a bound on the whole
// fetch ends a long drip early; with no drip it is a server of one answer.
class DripServer {
  public:
    explicit DripServer(double dripSeconds, std::string answer = kLookupsAccepted);
    ~DripServer();
    DripServer(const DripServer&) = delete;
    DripServer& operator=(const DripServer&) = delete;

    // "127.0.0.1:PORT", as the app's parameter file would name the server.
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }

  private:
    httplib::Server server_;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
    int port_ = -1;
};
