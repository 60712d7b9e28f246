#pragma once

#include "ServerLimits.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>
#include <utility>

// The three endpoints, by the names the configuration and --fault use.
inline constexpr const char* kInspectorEndpoint = "GetChkerName";
inline constexpr const char* kCaseEndpoint = "GetMobileServlet";
inline constexpr const char* kUploadEndpoint = "appUpPhoto.do";

// What an endpoint does instead of answering normally.
enum class FaultMode {
    None,      // answers normally (after the delay, if any)
    Close,     // closes the connection without any answer
    Cutoff,    // sends the headers and half the answer, then closes
    Http500,   // HTTP 500 with a plain-text body
    NotJson,   // HTTP 200 with an HTML body
    NotObject, // HTTP 200 with a JSON array holding the answer
    Status,    // the answer's status key ("isChker", "status", "state") set to `status`
    Huge,      // the answer padded with a long string to about `hugeBytes`
};

struct Fault {
    double delaySeconds = 0;
    FaultMode mode = FaultMode::None;
    nlohmann::json status;          // with Status: any JSON value, so wrong types can be sent
    std::optional<std::string> msg; // with Status: the "msg" to send along
    size_t hugeBytes = 8 << 20;
};

// The version the server announces; absent fields are not sent.
struct VersionInfo {
    std::optional<std::string> verIos, urlIos, maxUpDate, msg;
};

// The case lookup's answer for one case.
struct CaseAnswer {
    std::string status = "Y";
    std::string msg;
    // "{server}" stands for "http://" and the address and port the server
    // listens on (never the client's Host header, which it may have made up).
    std::string uploadPath = "{server}/velquarda";
};

struct ServerConfig {
    std::map<std::string, std::string> inspectors; // identity number -> name
    VersionInfo version;
    std::map<std::pair<std::string, std::string>, CaseAnswer> cases; // (pakno, chkno)
    CaseAnswer defaultCase;
    std::map<std::string, Fault> faults; // by endpoint name
    ServerLimits limits;
};

// The configuration read from JSON text, or the reason it cannot be read.
struct ConfigReading {
    std::optional<ServerConfig> config;
    std::string error;
};

ConfigReading parseServerConfig(const std::string& text);
ConfigReading loadServerConfig(const std::string& path);

// Reads a command-line fault "ENDPOINT=MODE[:ARG]" (ARG: the status value of
// "status", the size of "huge") or a delay "ENDPOINT=SECONDS" into config.
// Returns an error message, empty on success.
std::string applyFaultOption(ServerConfig& config, const std::string& option);
std::string applyDelayOption(ServerConfig& config, const std::string& option);
