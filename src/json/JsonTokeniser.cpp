#include "json/JsonTokeniser.h"

#include "json/JsonMessage.h"
#include "json/JsonNumber.h"
#include "json/JsonUTF8.h"

#include <cstdint>
#include <cstring>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view in, std::size_t pos) {
    while (pos < in.size() && isDigit(in[pos]))
        ++pos;
    return pos;
}

// Bytes a string takes as they are: everything but control characters, '"' and '\'.
bool isPlainStringByte(char c) {
    return (unsigned char)c >= 0x20 && c != '"' && c != '\\';
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101;

// True if some byte of word is below limit (at most 0x80); exact for the word as a whole.
bool hasByteBelow(std::uint64_t word, unsigned char limit) {
    return ((word - kEveryByte * limit) & ~word & (kEveryByte * 0x80)) != 0;
}

// Returns where the run of plain string bytes from pos ends (at most in.size()), eight bytes at
// a time where it can; the high bits of the run's bytes are added to highBits.
std::size_t plainRunEnd(std::string_view in, std::size_t pos, unsigned char& highBits) {
    std::uint64_t high = 0;
    for (; pos + 8 <= in.size(); pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, in.data() + pos, 8);
        if (hasByteBelow(word, 0x20) || hasByteBelow(word ^ (kEveryByte * '"'), 1) ||
            hasByteBelow(word ^ (kEveryByte * '\\'), 1))
            break;
        high |= word;
    }
    if (high & (kEveryByte * 0x80)) highBits |= 0x80;
    while (pos < in.size() && isPlainStringByte(in[pos]))
        highBits |= (unsigned char)in[pos++];
    return pos;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The character a one-letter escape stands for, or NUL when the letter is no escape.
char simpleEscape(char letter) {
    switch (letter) {
    case '"':
    case '\\':
    case '/':
        return letter;
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    default:
        return '\0';
    }
}

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

JsonToken JsonTokeniser::getToken() {
    stream_.skipWhitespace();
    const std::string_view in = stream_.remaining();
    if (in.empty()) return JsonToken::Eof;
    if (in[0] == '-' || isDigit(in[0])) return getNumberToken(in);
    switch (in[0]) {
    case '"':
        return getStringToken(in);
    case '[':
        return consume(1, JsonToken::ArrayStart);
    case ']':
        return consume(1, JsonToken::ArrayEnd);
    case '{':
        return consume(1, JsonToken::ObjectStart);
    case '}':
        return consume(1, JsonToken::ObjectEnd);
    case ',':
        return consume(1, JsonToken::ValueSeparator);
    case ':':
        return consume(1, JsonToken::KeyValueSeparator);
    case 't':
        return getLiteralToken(in, "true", JsonToken::True);
    case 'f':
        return getLiteralToken(in, "false", JsonToken::False);
    case 'n':
        return getLiteralToken(in, "null", JsonToken::Null);
    case '+':
        return fail("Leading + is illegal in number");
    default: {
        std::string character;
        appendUTF8(character, (unsigned char)in[0]);
        return fail(fillMessage("Illegal start of token [%c]", "%c", {character}));
    }
    }
}

JsonToken JsonTokeniser::pendingToken() const {
    const std::string_view in = stream_.remaining();
    if (in.empty()) return JsonToken::Eof;
    // Only strings, literals and numbers can be left unfinished.
    switch (in[0]) {
    case '"':
        return JsonToken::String;
    case 't':
        return JsonToken::True;
    case 'f':
        return JsonToken::False;
    case 'n':
        return JsonToken::Null;
    default:
        return JsonToken::Number;
    }
}

JsonToken JsonTokeniser::getLiteralToken(std::string_view in, std::string_view literal,
                                         JsonToken token) {
    // A mismatch is reported as soon as it is seen, even before the whole literal has arrived.
    const std::string_view present = in.substr(0, literal.size());
    if (present != literal.substr(0, present.size())) {
        const std::string text(literal);
        return fail(
            printfMessage("Expected '%s' after initial '%.1s'", text.c_str(), text.c_str()));
    }
    if (present.size() < literal.size()) return JsonToken::Eof;
    return consume(literal.size(), token);
}

JsonToken JsonTokeniser::getNumberToken(std::string_view in) {
    JsonNumberText text;
    text.negative = in[0] == '-';
    std::size_t pos = text.negative ? 1 : 0;
    if (pos == in.size()) return JsonToken::Eof;
    if (!isDigit(in[pos])) return fail("No digits after initial minus");
    if (in[pos] == '0' && pos + 1 < in.size() && isDigit(in[pos + 1]))
        return fail("Leading zero is illegal in number");
    std::size_t start = pos;
    pos = skipDigits(in, pos);
    text.integerDigits = in.substr(start, pos - start);

    if (pos < in.size() && in[pos] == '.') {
        if (++pos == in.size()) return JsonToken::Eof;
        if (!isDigit(in[pos])) return fail("No digits after decimal point");
        start = pos;
        pos = skipDigits(in, pos);
        text.fractionDigits = in.substr(start, pos - start);
    }
    if (pos < in.size() && (in[pos] == 'e' || in[pos] == 'E')) {
        text.hasExponent = true;
        if (++pos < in.size() && (in[pos] == '+' || in[pos] == '-'))
            text.negativeExponent = in[pos++] == '-';
        if (pos == in.size()) return JsonToken::Eof;
        if (!isDigit(in[pos])) return fail("No digits in exponent");
        start = pos;
        pos = skipDigits(in, pos);
        text.exponentDigits = in.substr(start, pos - start);
    }
    // More digits may still come.
    if (pos == in.size()) return JsonToken::Eof;
    number_ = jsonNumber(text);
    return consume(pos, JsonToken::Number);
}

JsonToken JsonTokeniser::getStringToken(std::string_view in) {
    string_.clear();
    std::size_t pos = 1;
    for (;;) {
        const std::size_t start = pos;
        unsigned char highBits = 0; // bytes from 0x80 on need a closer look
        pos = plainRunEnd(in, pos, highBits);
        if (pos == in.size()) return JsonToken::Eof;
        const std::string_view fragment = in.substr(start, pos - start);
        if (highBits >= 0x80 && !isValidUTF8(fragment)) return fail("Broken Unicode encoding");
        string_.append(fragment);

        const unsigned char c = in[pos];
        if (c == '"') return consume(pos + 1, JsonToken::String);
        if (c < 0x20) return fail(printfMessage("Unescaped control character [0x%0.2X]", c));
        switch (appendEscape(in, pos)) {
        case Scan::Done:
            break;
        case Scan::Incomplete:
            return JsonToken::Eof;
        case Scan::Failed:
            return JsonToken::Error;
        }
    }
}

JsonTokeniser::Scan JsonTokeniser::appendEscape(std::string_view in, std::size_t& pos) {
    if (pos + 1 == in.size()) return Scan::Incomplete;
    const char letter = in[pos + 1];
    if (letter == 'u') return appendUnicodeEscape(in, pos);
    const char character = simpleEscape(letter);
    if (character == '\0') return failScan("Illegal escape character");
    string_ += character;
    pos += 2;
    return Scan::Done;
}

JsonTokeniser::Scan JsonTokeniser::appendUnicodeEscape(std::string_view in, std::size_t& pos) {
    char32_t high = 0;
    if (Scan scan = readHexQuad(in, pos, high); scan != Scan::Done) return scan;
    if (isLowSurrogate(high)) return failScan("Invalid high character in surrogate pair");
    if (!isHighSurrogate(high)) {
        appendUTF8(string_, high);
        return Scan::Done;
    }
    // The low half must follow as the very next escape; anything else there is decided as soon as
    // it is seen, so a lone high half at the end of a string is not taken for cut-off input.
    if ((pos < in.size() && in[pos] != '\\') || (pos + 1 < in.size() && in[pos + 1] != 'u'))
        return failScan("Missing low character in surrogate pair");
    if (pos + 1 >= in.size()) return Scan::Incomplete;
    char32_t low = 0;
    if (Scan scan = readHexQuad(in, pos, low); scan != Scan::Done) return scan;
    if (!isLowSurrogate(low)) return failScan("Invalid low character in surrogate pair");
    appendUTF8(string_, 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
    return Scan::Done;
}

// Reads the four hex digits of the "\u" escape at pos and moves pos past it.
JsonTokeniser::Scan JsonTokeniser::readHexQuad(std::string_view in, std::size_t& pos,
                                               char32_t& unit) {
    unit = 0;
    for (std::size_t i = pos + 2; i < pos + 6; ++i) {
        if (i >= in.size()) return Scan::Incomplete;
        const int digit = hexValue(in[i]);
        if (digit < 0) return failScan("Invalid hex quad");
        unit = unit * 16 + char32_t(digit);
    }
    pos += 6;
    return Scan::Done;
}

JsonToken JsonTokeniser::consume(std::size_t length, JsonToken token) {
    stream_.skip(length);
    return token;
}

JsonToken JsonTokeniser::fail(std::string message) {
    error_ = std::move(message);
    return JsonToken::Error;
}

JsonTokeniser::Scan JsonTokeniser::failScan(const char* message) {
    error_ = message;
    return Scan::Failed;
}
