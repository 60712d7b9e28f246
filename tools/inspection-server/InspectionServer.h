#pragma once

#include "ServerConfig.h"
#include "UploadStore.h"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class BoundedHttpServer;

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

// A stand-in inspection server: answers the inspector lookup and the case
// lookup under "/velquarda/" and takes case uploads at ".../appUpPhoto.do",
// as the configuration says, with faults injected per endpoint. Tests run it
// in-process; the inspection-server program wraps it.
class InspectionServer {
  public:
    // Accepted uploads are kept below storeFolder; an empty path keeps none.
    explicit InspectionServer(ServerConfig config, std::filesystem::path storeFolder = {});
    ~InspectionServer();
    InspectionServer(const InspectionServer&) = delete;
    InspectionServer& operator=(const InspectionServer&) = delete;

    // Serves HTTPS with the PEM certificate and key (before start); the
    // upload addresses it hands out then begin with "https://". Returns why
    // the files cannot serve, or nothing.
    std::string useTls(const std::string& certFile, const std::string& keyFile);
    // Binds host:port (port 0 picks a free one) and serves on a thread of its
    // own. Returns the bound port, or -1 when the address cannot be bound.
    // Ignores SIGPIPE for the whole process: a client that hangs up must not
    // end it.
    int start(const std::string& host = "127.0.0.1", int port = 0);
    // Stops serving, cutting injected delays short; returns once the server's
    // threads have ended. Safe to call more than once.
    void stop();

    // Replaces the fault of one endpoint for the requests that follow.
    void setFault(const std::string& endpoint, const Fault& fault);
    // Receives one line per answered request, on the server's threads.
    void setLogger(std::function<void(const std::string&)> log);
    // The method and raw target of every request so far, in arrival order.
    std::vector<std::string> requests() const;
    // Why each failed TLS handshake failed, in order ("http request" for a
    // client that spoke plain HTTP).
    std::vector<std::string> tlsRefusals() const;

  private:
    void handleInspector(const httplib::Request& request, httplib::Response& response);
    void handleCase(const httplib::Request& request, httplib::Response& response);
    void handleUpload(const httplib::Request& request, httplib::Response& response);
    // Waits out the endpoint's delay and returns its fault.
    Fault awaitFault(const std::string& endpoint);
    nlohmann::json withVersion(nlohmann::json answer, bool full) const;
    // "http://HOST:PORT" (or https) of the address the server listens on, as the client
    // reached it when the server listens on every address.
    std::string serverBase(const httplib::Request& request) const;

    ServerConfig config_;
    UploadStore store_;
    std::unique_ptr<BoundedHttpServer> server_;
    std::thread thread_;
    std::atomic<bool> listenEnded_ = false;
    std::string host_;
    int port_ = -1;
    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    std::vector<std::string> requests_;
    std::vector<std::string> tlsRefusals_;
    bool tls_ = false;
    std::function<void(const std::string&)> log_;
};
