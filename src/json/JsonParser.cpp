#include "json/JsonParser.h"

#include "json/JsonStreamParser.h"
#include "json/JsonStreamParserAccumulator.h"
#include "json/JsonStreamParserAdapter.h"

std::optional<JsonValue> JsonParser::objectWithData(const char* bytes, std::size_t length) {
    if (!bytes) {
        error_ = "Input was 'nil'";
        return std::nullopt;
    }
    JsonStreamParserAccumulator accumulator;
    JsonStreamParserAdapter adapter;
    adapter.setDelegate(&accumulator);
    JsonStreamParser parser;
    parser.setMaxDepth(maxDepth_);
    parser.setDelegate(&adapter);
    parser.parse(std::string_view(bytes, length));
    switch (parser.finish()) {
    case JsonStreamParserStatus::Complete:
        return accumulator.takeValue();
    case JsonStreamParserStatus::WaitingForData:
        error_ = "Unexpected end of input";
        break;
    case JsonStreamParserStatus::Error:
        error_ = parser.error();
        break;
    }
    return std::nullopt;
}

std::optional<JsonValue> JsonParser::objectWithString(std::string_view text) {
    return objectWithData(text.data(), text.size());
}
