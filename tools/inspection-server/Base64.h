#pragma once

#include <optional>
#include <string>

// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).
std::string base64Encode(const std::string& bytes);

// Returns the decoded bytes, or none when text is not canonical padded
// standard Base64.
std::optional<std::string> base64Decode(const std::string& text);
