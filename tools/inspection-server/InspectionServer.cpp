#include "InspectionServer.h"

#include "Base64.h"
#include "BoundedHttpServer.h"
#include "ConnectionAbort.h"
#include "FaultyAnswer.h"
#include "RawQuery.h"

#include <httplib.h>

#include <chrono>
#include <csignal>

using nlohmann::json;

namespace {

const char* const kUploadRefusedByStore = "伺服器無法保存上傳資料";

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

InspectionServer::InspectionServer(ServerConfig config, std::filesystem::path storeFolder)
    : config_(std::move(config)), store_(std::move(storeFolder)),
      server_(std::make_unique<BoundedHttpServer>(config_.limits)) {
    server_->Get("/velquarda/GetChkerName", [this](const auto& request, auto& response) {
        handleInspector(request, response);
    });
    server_->Get("/velquarda/GetMobileServlet",
                 [this](const auto& request, auto& response) { handleCase(request, response); });
    // The upload's body is read by handleUpload itself, whole and within the
    // size limit, and never by cpp-httplib's multipart reader.
    server_->Post(R"((.*)/appUpPhoto\.do)",
                  [this](const httplib::Request& request, httplib::Response& response,
                         const httplib::ContentReader&) { handleUpload(request, response); });
    server_->set_pre_routing_handler([this](const auto& request, auto& response) {
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request.method + " " + request.target);
        }
        return server_->refuseUnboundedBody(request, response)
                   ? httplib::Server::HandlerResponse::Handled
                   : httplib::Server::HandlerResponse::Unhandled;
    });
    server_->set_logger([this](const auto& request, const auto& response) {
        std::lock_guard lock(mutex_);
        if (log_)
            log_(request.method + " " + request.target + " -> " + std::to_string(response.status));
    });
}

InspectionServer::~InspectionServer() {
    stop();
}

std::string InspectionServer::useTls(const std::string& certFile, const std::string& keyFile) {
    const std::string error = server_->useTls(certFile, keyFile, [this](const std::string& why) {
        std::lock_guard lock(mutex_);
        tlsRefusals_.push_back(why);
        if (log_) log_("TLS handshake failed: " + why);
    });
    tls_ = error.empty();
    return error;
}

int InspectionServer::start(const std::string& host, int port) {
    std::signal(SIGPIPE, SIG_IGN);
    const int bound = server_->bindTo(host, port);
    if (bound < 0) return -1;
    host_ = host;
    thread_ = std::thread([this] {
        server_->listen_after_bind();
        listenEnded_ = true;
    });
    // A stop() that came before the server runs would be lost, and the
    // server would then serve for good.
    while (!server_->is_running() && !listenEnded_)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    port_ = listenEnded_ ? -1 : bound;
    return port_;
}

void InspectionServer::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    stopping_.notify_all();
    server_->stop();
    if (port_ > 0) abortConnections(port_);
    if (thread_.joinable()) thread_.join();
}

void InspectionServer::setFault(const std::string& endpoint, const Fault& fault) {
    std::lock_guard lock(mutex_);
    config_.faults[endpoint] = fault;
}

void InspectionServer::setLogger(std::function<void(const std::string&)> log) {
    std::lock_guard lock(mutex_);
    log_ = std::move(log);
}

std::vector<std::string> InspectionServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> InspectionServer::tlsRefusals() const {
    std::lock_guard lock(mutex_);
    return tlsRefusals_;
}

Fault InspectionServer::awaitFault(const std::string& endpoint) {
    std::unique_lock lock(mutex_);
    const Fault fault = config_.faults.contains(endpoint) ? config_.faults[endpoint] : Fault{};
    stopping_.wait_for(lock, std::chrono::duration<double>(fault.delaySeconds),
                       [this] { return stopped_; });
    return fault;
}

json InspectionServer::withVersion(json answer, bool full) const {
    std::lock_guard lock(mutex_);
    const VersionInfo& version = config_.version;
    if (version.verIos) answer["ver_ios"] = *version.verIos;
    if (version.urlIos) answer["url_ios"] = *version.urlIos;
    if (full && version.maxUpDate) answer["max_up_date"] = *version.maxUpDate;
    if (full && version.msg) answer["msg"] = *version.msg;
    return answer;
}

void InspectionServer::handleInspector(const httplib::Request& request,
                                       httplib::Response& response) {
    const Fault fault = awaitFault(kInspectorEndpoint);
    std::optional<std::string> name;
    if (const auto raw = rawQueryValue(request.target, "chkerId"))
        if (const auto id = base64Decode(*raw)) {
            std::lock_guard lock(mutex_);
            if (config_.inspectors.contains(*id)) name = config_.inspectors.at(*id);
        }
    const json answer =
        name ? withVersion({{"isChker", "Y"}, {"chkerName", base64Encode(*name)}}, true)
             : json{{"isChker", "N"}};
    sendAnswer(request, response, fault, shapedAnswer(fault, answer, "isChker"));
}

void InspectionServer::handleCase(const httplib::Request& request, httplib::Response& response) {
    const Fault fault = awaitFault(kCaseEndpoint);
    const std::string pakno = rawQueryValue(request.target, "pakno").value_or("");
    const std::string chkno = rawQueryValue(request.target, "chkno").value_or("");
    CaseAnswer found;
    {
        std::lock_guard lock(mutex_);
        const auto it = config_.cases.find({pakno, chkno});
        found = it == config_.cases.end() ? config_.defaultCase : it->second;
    }
    json answer = withVersion({{"status", found.status}}, false);
    if (!found.msg.empty()) answer["msg"] = found.msg;
    if (found.status == "Y") {
        replaceAll(found.uploadPath, "{server}", serverBase(request));
        answer["upload_path"] = found.uploadPath;
    }
    sendAnswer(request, response, fault, shapedAnswer(fault, answer, "status"));
}

std::string InspectionServer::serverBase(const httplib::Request& request) const {
    const bool everyAddress = host_ == "0.0.0.0" || host_ == "::" || host_.empty();
    const std::string host = everyAddress ? request.local_addr : host_;
    const bool ipv6 = host.find(':') != std::string::npos;
    return (tls_ ? "https://" : "http://") + (ipv6 ? "[" + host + "]" : host) + ":" +
           std::to_string(port_);
}

void InspectionServer::handleUpload(const httplib::Request& request, httplib::Response& response) {
    const std::optional<std::string> body = server_->readBody(request, response);
    if (!body) return;
    const Fault fault = awaitFault(kUploadEndpoint);
    const UploadReading reading = readUpload(request.get_header_value("Content-Type"), *body);
    if (reading.malformed) return BoundedHttpServer::refuse(response, 400, reading.problem);
    json answer = reading.problem.empty() ? json{{"state", "0"}}
                                          : json{{"state", "1"}, {"msg", reading.problem}};
    answer = shapedAnswer(fault, answer, "state");
    // Kept only when sound and when the app will count it as accepted.
    if (reading.problem.empty() && reachesClient(fault) && answer["state"] == "0" &&
        !store_.keep(reading.upload).empty())
        answer = {{"state", "1"}, {"msg", kUploadRefusedByStore}};
    sendAnswer(request, response, fault, answer);
}
