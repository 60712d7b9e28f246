#pragma once

#include "json/JsonValue.h"

#include <string>

// Writes value as compact JSON: no spaces, object keys in byte order, integers in decimal,
// decimal numbers as <mantissa>e<exponent> (1.5e2 gives 15e1), strings escaped only where JSON
// requires it.
std::string compactJson(const JsonValue& value);
