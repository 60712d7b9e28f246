#include "RawQuery.h"

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::optional<std::string> rawQueryValue(const std::string& target, const std::string& name) {
    const size_t question = target.find('?');
    if (question == std::string::npos) return std::nullopt;
    const std::string query = target.substr(question + 1, target.find('#') - question - 1);
    size_t start = 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        const std::string pair = query.substr(start, end - start);
        const size_t equals = pair.find('=');
        if (percentDecoded(pair.substr(0, equals)) == name)
            return equals == std::string::npos ? "" : percentDecoded(pair.substr(equals + 1));
        start = end + 1;
    }
    return std::nullopt;
}
