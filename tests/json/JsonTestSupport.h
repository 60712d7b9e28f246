#pragma once

#include "json/JsonStreamParserState.h"
#include "json/JsonValue.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

// What a parse ended with: the value as compact JSON when complete, the message on error.
struct Outcome {
    JsonStreamParserStatus status;
    std::string text;

    friend bool operator==(const Outcome&, const Outcome&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
        return out << int(outcome.status) << " [" << outcome.text << "]";
    }
};

// Feeds document to a fresh stream parser in pieces of pieceSize bytes (the last one may be
// shorter), then ends the input, and returns what the parser ended with.
Outcome parseInPieces(std::string_view document, std::size_t pieceSize);

// Shows values in test failures as compact JSON.
void PrintTo(const JsonValue& value, std::ostream* out);
