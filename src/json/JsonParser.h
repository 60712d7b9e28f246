#pragma once

#include "json/JsonValue.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reads one whole JSON document: an array or an object. A fresh parser is meant for each
// document; error() keeps the message of the last failure.
class JsonParser {
  public:
    // Returns the document's value, or nothing with error() set when the bytes are not a whole
    // valid document. A null bytes pointer stands for no input at all.
    std::optional<JsonValue> objectWithData(const char* bytes, std::size_t length);
    // The same for text that is already UTF-8.
    std::optional<JsonValue> objectWithString(std::string_view text);

    unsigned long maxDepth() const { return maxDepth_; }
    void setMaxDepth(unsigned long maxDepth) { maxDepth_ = maxDepth; }
    const std::string& error() const { return error_; }

  private:
    unsigned long maxDepth_ = 32;
    std::string error_;
};
