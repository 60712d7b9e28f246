#pragma once

#include "ServerConfig.h"

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

// The answer as the fault shapes it: a Status fault replaces the member
// statusKey (and "msg" when it has one), a Huge fault pads the answer.
nlohmann::json shapedAnswer(const Fault& fault, nlohmann::json answer, const char* statusKey);

// Whether the client receives the (shaped) answer as JSON at all.
bool reachesClient(const Fault& fault);

// Puts answer into response as JSON text, or breaks the exchange the way
// fault says. The fault's delay is not applied here.
void sendAnswer(const httplib::Request& request, httplib::Response& response, const Fault& fault,
                const nlohmann::json& answer);
