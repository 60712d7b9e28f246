#include "ServerConfig.h"

#include <charconv>
#include <fstream>
#include <sstream>

using nlohmann::json;

namespace {

const std::map<std::string, FaultMode> kModes = {
    {"none", FaultMode::None},        {"close", FaultMode::Close},
    {"cutoff", FaultMode::Cutoff},    {"http500", FaultMode::Http500},
    {"not-json", FaultMode::NotJson}, {"not-object", FaultMode::NotObject},
    {"status", FaultMode::Status},    {"huge", FaultMode::Huge},
};

bool isEndpoint(const std::string& name) {
    return name == kInspectorEndpoint || name == kCaseEndpoint || name == kUploadEndpoint;
}

// Reads an optional string member; a member of another type is an error.
bool readString(const json& object, const char* key, std::optional<std::string>& out,
                std::string& error) {
    if (!object.contains(key)) return true;
    if (!object[key].is_string()) {
        error = std::string("\"") + key + "\" must be a string";
        return false;
    }
    out = object[key].get<std::string>();
    return true;
}

bool readString(const json& object, const char* key, std::string& out, std::string& error) {
    std::optional<std::string> value;
    if (!readString(object, key, value, error)) return false;
    if (value) out = *value;
    return true;
}

bool readCase(const json& object, CaseAnswer& answer, std::string& error) {
    if (!object.is_object()) {
        error = "a case must be an object";
        return false;
    }
    return readString(object, "status", answer.status, error) &&
           readString(object, "msg", answer.msg, error) &&
           readString(object, "upload_path", answer.uploadPath, error);
}

bool readFault(const json& object, Fault& fault, std::string& error) {
    if (!object.is_object()) {
        error = "a fault must be an object";
        return false;
    }
    std::string mode = "none";
    if (!readString(object, "mode", mode, error) || !readString(object, "msg", fault.msg, error))
        return false;
    if (!kModes.contains(mode)) {
        error = "unknown fault mode \"" + mode + "\"";
        return false;
    }
    fault.mode = kModes.at(mode);
    if (object.contains("status")) fault.status = object["status"];
    if (object.contains("delay")) {
        if (!object["delay"].is_number() || object["delay"].get<double>() < 0) {
            error = "\"delay\" must be a number of seconds";
            return false;
        }
        fault.delaySeconds = object["delay"].get<double>();
    }
    if (object.contains("size")) {
        if (!object["size"].is_number_unsigned()) {
            error = "\"size\" must be a byte count";
            return false;
        }
        fault.hugeBytes = object["size"].get<size_t>();
    }
    return true;
}

bool readInspectors(const json& object, ServerConfig& config, std::string& error) {
    if (!object.is_object()) {
        error = "\"inspectors\" must map identity numbers to names";
        return false;
    }
    for (const auto& [id, name] : object.items()) {
        if (!name.is_string()) {
            error = "the name of inspector \"" + id + "\" must be a string";
            return false;
        }
        config.inspectors[id] = name.get<std::string>();
    }
    return true;
}

bool readVersion(const json& object, VersionInfo& version, std::string& error) {
    if (!object.is_object()) {
        error = "\"version\" must be an object";
        return false;
    }
    return readString(object, "ver_ios", version.verIos, error) &&
           readString(object, "url_ios", version.urlIos, error) &&
           readString(object, "max_up_date", version.maxUpDate, error) &&
           readString(object, "msg", version.msg, error);
}

bool readCases(const json& list, ServerConfig& config, std::string& error) {
    if (!list.is_array()) {
        error = "\"cases\" must be a list";
        return false;
    }
    for (const json& item : list) {
        std::string pakno, chkno;
        CaseAnswer answer = config.defaultCase;
        if (!readCase(item, answer, error) || !readString(item, "pakno", pakno, error) ||
            !readString(item, "chkno", chkno, error))
            return false;
        config.cases[{pakno, chkno}] = answer;
    }
    return true;
}

bool readFaults(const json& object, ServerConfig& config, std::string& error) {
    if (!object.is_object()) {
        error = "\"faults\" must map endpoint names to faults";
        return false;
    }
    for (const auto& [endpoint, item] : object.items()) {
        if (!isEndpoint(endpoint)) {
            error = "unknown endpoint \"" + endpoint + "\"";
            return false;
        }
        if (!readFault(item, config.faults[endpoint], error)) return false;
    }
    return true;
}

bool readConfig(const json& root, ServerConfig& config, std::string& error) {
    if (!root.is_object()) {
        error = "the configuration must be a JSON object";
        return false;
    }
    // The default case comes first: listed cases start from it.
    return (!root.contains("default_case") ||
            readCase(root["default_case"], config.defaultCase, error)) &&
           (!root.contains("inspectors") || readInspectors(root["inspectors"], config, error)) &&
           (!root.contains("version") || readVersion(root["version"], config.version, error)) &&
           (!root.contains("cases") || readCases(root["cases"], config, error)) &&
           (!root.contains("faults") || readFaults(root["faults"], config, error));
}

// Splits "ENDPOINT=REST"; returns an error message, empty on success.
std::string splitOption(const std::string& option, std::string& endpoint, std::string& rest) {
    const size_t equals = option.find('=');
    if (equals == std::string::npos) return "expected ENDPOINT=..., got \"" + option + "\"";
    endpoint = option.substr(0, equals);
    rest = option.substr(equals + 1);
    if (!isEndpoint(endpoint)) return "unknown endpoint \"" + endpoint + "\"";
    return {};
}

} // namespace

ConfigReading parseServerConfig(const std::string& text) {
    const json root = json::parse(text, nullptr, false);
    if (root.is_discarded()) return {std::nullopt, "the configuration is not valid JSON"};
    ServerConfig config;
    std::string error;
    if (!readConfig(root, config, error)) return {std::nullopt, error};
    return {std::move(config), {}};
}

ConfigReading loadServerConfig(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {std::nullopt, "cannot read " + path};
    std::ostringstream text;
    text << file.rdbuf();
    ConfigReading reading = parseServerConfig(text.str());
    if (!reading.config) reading.error = path + ": " + reading.error;
    return reading;
}

std::string applyFaultOption(ServerConfig& config, const std::string& option) {
    std::string endpoint, faultText;
    if (std::string error = splitOption(option, endpoint, faultText); !error.empty()) return error;
    const size_t colon = faultText.find(':');
    const std::string mode = faultText.substr(0, colon);
    const std::string arg = colon == std::string::npos ? "" : faultText.substr(colon + 1);
    if (!kModes.contains(mode)) return "unknown fault mode \"" + mode + "\"";
    Fault& fault = config.faults[endpoint];
    fault.mode = kModes.at(mode);
    if (fault.mode == FaultMode::Status) fault.status = arg;
    if (fault.mode == FaultMode::Huge && !arg.empty()) {
        const auto [end, ec] =
            std::from_chars(arg.data(), arg.data() + arg.size(), fault.hugeBytes);
        if (ec != std::errc() || end != arg.data() + arg.size()) return "bad size \"" + arg + "\"";
    }
    return {};
}

std::string applyDelayOption(ServerConfig& config, const std::string& option) {
    std::string endpoint, seconds;
    if (std::string error = splitOption(option, endpoint, seconds); !error.empty()) return error;
    double value = -1;
    const auto [end, ec] = std::from_chars(seconds.data(), seconds.data() + seconds.size(), value);
    if (ec != std::errc() || end != seconds.data() + seconds.size() || value < 0)
        return "bad delay \"" + seconds + "\"";
    config.faults[endpoint].delaySeconds = value;
    return {};
}
