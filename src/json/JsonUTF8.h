#pragma once

#include <string>
#include <string_view>

// Returns true iff text is well-formed UTF-8: shortest forms only, no encoded surrogates, nothing
// above U+10FFFF.
bool isValidUTF8(std::string_view text);

// Appends the UTF-8 form of the Unicode scalar value codePoint to text.
void appendUTF8(std::string& text, char32_t codePoint);
