#include "json/JsonCompactWriter.h"

#include <cstdio>
#include <type_traits>

namespace {

void writeString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if ((unsigned char)c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// Recursion is bounded by the reader's depth limit.
void write(std::string& out, const JsonValue& value) {
    value.visit([&out](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::nullptr_t>) {
            out += "null";
        } else if constexpr (std::is_same_v<T, bool>) {
            out += v ? "true" : "false";
        } else if constexpr (std::is_same_v<T, std::int64_t> || std::is_same_v<T, std::uint64_t>) {
            out += std::to_string(v);
        } else if constexpr (std::is_same_v<T, JsonDecimal>) {
            out.append(v.negative ? "-" : "").append(v.mantissa);
            out.append("e").append(std::to_string(v.exponent));
        } else if constexpr (std::is_same_v<T, std::string>) {
            writeString(out, v);
        } else if constexpr (std::is_same_v<T, JsonArray>) {
            out += '[';
            for (std::size_t i = 0; i < v.size(); ++i) {
                if (i) out += ',';
                write(out, v[i]);
            }
            out += ']';
        } else {
            out += '{';
            for (const JsonMember& member : v) {
                if (&member != v.begin()) out += ',';
                writeString(out, member.key);
                out += ':';
                write(out, member.value);
            }
            out += '}';
        }
    });
}

} // namespace

std::string compactJson(const JsonValue& value) {
    std::string out;
    write(out, value);
    return out;
}
