#include "json/JsonUTF8.h"

#include <cstddef>

namespace {

// The bytes a sequence led by first needs after it, and the range its second byte must fall in
// (narrower than 0x80-0xBF where that rules out overlong forms, surrogates or values beyond
// U+10FFFF). A first byte that leads no sequence gives -1.
struct Lead {
    int continuations;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

Lead leadOf(unsigned char first) {
    if (first >= 0xC2 && first <= 0xDF) return {1};
    if (first == 0xE0) return {2, 0xA0};
    if (first == 0xED) return {2, 0x80, 0x9F};
    if (first >= 0xE1 && first <= 0xEF) return {2};
    if (first == 0xF0) return {3, 0x90};
    if (first >= 0xF1 && first <= 0xF3) return {3};
    if (first == 0xF4) return {3, 0x80, 0x8F};
    return {-1};
}

} // namespace

bool isValidUTF8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const Lead lead = leadOf(bytes[i]);
        if (lead.continuations < 0 || size - i <= std::size_t(lead.continuations)) return false;
        if (bytes[i + 1] < lead.low || bytes[i + 1] > lead.high) return false;
        for (int k = 2; k <= lead.continuations; ++k)
            if ((bytes[i + k] & 0xC0) != 0x80) return false;
        i += lead.continuations + 1;
    }
    return true;
}

void appendUTF8(std::string& text, char32_t codePoint) {
    if (codePoint < 0x80) {
        text += char(codePoint);
    } else if (codePoint < 0x800) {
        text += char(0xC0 | (codePoint >> 6));
        text += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += char(0xE0 | (codePoint >> 12));
        text += char(0x80 | ((codePoint >> 6) & 0x3F));
        text += char(0x80 | (codePoint & 0x3F));
    } else {
        text += char(0xF0 | (codePoint >> 18));
        text += char(0x80 | ((codePoint >> 12) & 0x3F));
        text += char(0x80 | ((codePoint >> 6) & 0x3F));
        text += char(0x80 | (codePoint & 0x3F));
    }
}
