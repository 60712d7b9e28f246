#include "JsonTestSupport.h"

#include "json/JsonCompactWriter.h"
#include "json/JsonStreamParser.h"
#include "json/JsonStreamParserAccumulator.h"
#include "json/JsonStreamParserAdapter.h"

Outcome parseInPieces(std::string_view document, std::size_t pieceSize) {
    JsonStreamParserAccumulator accumulator;
    JsonStreamParserAdapter adapter;
    adapter.setDelegate(&accumulator);
    JsonStreamParser parser;
    parser.setDelegate(&adapter);
    for (std::size_t at = 0; at < document.size(); at += pieceSize)
        parser.parse(document.substr(at, pieceSize));
    const JsonStreamParserStatus status = parser.finish();
    switch (status) {
    case JsonStreamParserStatus::Complete:
        return {status, compactJson(accumulator.takeValue())};
    case JsonStreamParserStatus::Error:
        return {status, parser.error()};
    default:
        return {status, ""};
    }
}

void PrintTo(const JsonValue& value, std::ostream* out) {
    *out << compactJson(value);
}
