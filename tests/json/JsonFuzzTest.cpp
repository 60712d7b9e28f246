#include "JsonTestDocuments.h"
#include "JsonTestSupport.h"

#include "json/JsonParser.h"

#include <gtest/gtest.h>

#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

// Bytes that matter to the grammar, and some that do not belong anywhere.
constexpr std::string_view kInteresting =
    "[]{},:\"\\u0123456789-+.eE tfnrl\x00\x1f\x80\xbf\xc3\xed\xf0\xff"sv;

std::string mutated(std::string text, std::mt19937& random) {
    const int edits = 1 + int(random() % 4);
    for (int i = 0; i < edits; ++i) {
        const char byte = kInteresting[random() % kInteresting.size()];
        const std::size_t at = text.empty() ? 0 : random() % text.size();
        switch (random() % 3) {
        case 0:
            text.insert(text.begin() + std::ptrdiff_t(at), byte);
            break;
        case 1:
            if (!text.empty()) text[at] = byte;
            break;
        default:
            if (!text.empty()) text.erase(at, 1);
        }
    }
    return text;
}

std::vector<std::string> fuzzInputs() {
    std::mt19937 random(20240601);
    std::vector<std::string> inputs;
    for (std::span<const DocumentCase> cases : {std::span<const DocumentCase>(kValidDocuments),
                                                std::span<const DocumentCase>(kInvalidDocuments)})
        for (const DocumentCase& c : cases)
            for (int i = 0; i < 30; ++i)
                inputs.push_back(mutated(std::string(c.input), random));
    for (int i = 0; i < 300; ++i) {
        std::string bytes(random() % 40, '\0');
        for (char& byte : bytes)
            byte = char(random());
        inputs.push_back("[" + bytes);
    }
    return inputs;
}

// Any bytes give either a value or a message, and the same outcome whole or byte by byte.
TEST(JsonFuzz, MutatedInputEndsInAValueOrAMessage) {
    for (const std::string& input : fuzzInputs()) {
        JsonParser parser;
        const std::optional<JsonValue> value = parser.objectWithString(input);
        EXPECT_NE(value.has_value(), !parser.error().empty()) << testing::PrintToString(input);
        EXPECT_EQ(parseInPieces(input, 1), parseInPieces(input, input.size() + 1))
            << testing::PrintToString(input);
    }
}

} // namespace
