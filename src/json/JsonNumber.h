#pragma once

#include "json/JsonValue.h"

#include <cstdint>
#include <string_view>

// The parts of a number as read from the text, already checked against the grammar.
struct JsonNumberText {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool hasExponent = false;
    bool negativeExponent = false;
    std::string_view exponentDigits;
};

// Turns number text into a value. With fewer than 19 digits, a number without fraction or
// exponent is an integer (signed if negative, unsigned otherwise); everything else becomes a
// decimal holding all digits. Never overflows.
JsonValue jsonNumber(const JsonNumberText& text);
