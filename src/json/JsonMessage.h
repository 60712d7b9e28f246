#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The reader's messages are printf patterns, some with Cocoa's %@ (a string).

// Formats a pattern that uses only C printf conversions.
std::string printfMessage(const char* format, ...);

// Replaces the occurrences of placeholder in format, in order, by texts (one each). Texts may hold
// any bytes, including NUL.
std::string fillMessage(std::string_view format, std::string_view placeholder,
                        std::initializer_list<std::string_view> texts);
