#include "FaultyAnswer.h"

#include "ConnectionAbort.h"

#include <httplib.h>

#include <memory>

namespace {

const char* const kJson = "application/json; charset=utf-8";

std::string jsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Announces the whole answer, sends its first half and then drops the line.
void sendCutOff(httplib::Response& response, const std::string& text) {
    auto body = std::make_shared<std::string>(text);
    response.set_content_provider(body->size(), kJson,
                                  [body](size_t, size_t, httplib::DataSink& sink) {
                                      sink.write(body->data(), body->size() / 2);
                                      return false;
                                  });
}

} // namespace

nlohmann::json shapedAnswer(const Fault& fault, nlohmann::json answer, const char* statusKey) {
    if (fault.mode == FaultMode::Status) {
        answer[statusKey] = fault.status;
        if (fault.msg) answer["msg"] = *fault.msg;
    } else if (fault.mode == FaultMode::Huge) {
        const size_t size = jsonText(answer).size();
        answer["padding"] = std::string(fault.hugeBytes > size ? fault.hugeBytes - size : 0, 'x');
    }
    return answer;
}

bool reachesClient(const Fault& fault) {
    return fault.mode == FaultMode::None || fault.mode == FaultMode::Status ||
           fault.mode == FaultMode::Huge;
}

void sendAnswer(const httplib::Request& request, httplib::Response& response, const Fault& fault,
                const nlohmann::json& answer) {
    switch (fault.mode) {
    case FaultMode::Close:
        abortConnection(request);
        return;
    case FaultMode::Cutoff:
        sendCutOff(response, jsonText(answer));
        return;
    case FaultMode::Http500:
        response.status = 500;
        response.set_content("Internal Server Error", "text/plain");
        return;
    case FaultMode::NotJson:
        response.set_content("<html><body>Service Unavailable</body></html>", "text/html");
        return;
    case FaultMode::NotObject:
        response.set_content(jsonText(nlohmann::json::array({answer})), kJson);
        return;
    case FaultMode::None:
    case FaultMode::Status:
    case FaultMode::Huge:
        response.set_content(jsonText(answer), kJson);
        return;
    }
}
