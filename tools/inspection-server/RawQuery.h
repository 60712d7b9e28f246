#pragma once

#include <optional>
#include <string>

// Returns the value of name in the query of a raw request target
// ("/path?a=1&b=2"), with %XX escapes decoded but "+" kept as "+": the app
// sends Base64 values unescaped, and a form decoder would turn their "+"
// into spaces. None when the query has no such name.
std::optional<std::string> rawQueryValue(const std::string& target, const std::string& name);
