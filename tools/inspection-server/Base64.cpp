#include "Base64.h"

#include <algorithm>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

} // namespace

std::string base64Encode(const std::string& bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0);
        for (size_t k = 0; k < 4; ++k)
            text += k <= n ? kAlphabet[group >> (18 - 6 * k) & 63] : '=';
    }
    return text;
}

std::optional<std::string> base64Decode(const std::string& text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        unsigned group = 0;
        size_t padding = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const int value = sextet(c);
            if (c == '=' && last && k >= 2) {
                ++padding;
            } else if (value < 0 || padding > 0) {
                return std::nullopt;
            }
            group = group << 6 | (value < 0 ? 0 : value);
        }
        // Bits below the last full byte must be zero in canonical text.
        if ((padding == 1 && (group & 0xff)) || (padding == 2 && (group & 0xffff)))
            return std::nullopt;
        for (size_t k = 0; k < 3 - padding; ++k)
            bytes += static_cast<char>(group >> (16 - 8 * k) & 0xff);
    }
    return bytes;
}
