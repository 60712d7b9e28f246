#include "JsonTestDocuments.h"
#include "JsonTestSupport.h"

#include "json/JsonCompactWriter.h"
#include "json/JsonParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ValidDocument : public testing::TestWithParam<DocumentCase> {};

TEST_P(ValidDocument, ReadsToItsValue) {
    JsonParser parser;
    const std::optional<JsonValue> value = parser.objectWithString(GetParam().input);
    ASSERT_TRUE(value.has_value()) << parser.error();
    EXPECT_EQ(compactJson(*value), GetParam().expected);
}

// What the writer writes reads back to the same text (escapes and numbers included).
TEST_P(ValidDocument, SurvivesWritingAndReadingBack) {
    JsonParser parser;
    const std::optional<JsonValue> again = parser.objectWithString(GetParam().expected);
    ASSERT_TRUE(again.has_value()) << parser.error();
    EXPECT_EQ(compactJson(*again), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, ValidDocument, testing::ValuesIn(kValidDocuments));

class InvalidDocument : public testing::TestWithParam<DocumentCase> {};

TEST_P(InvalidDocument, FailsWithItsMessage) {
    JsonParser parser;
    EXPECT_FALSE(parser.objectWithString(GetParam().input).has_value());
    EXPECT_EQ(parser.error(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, InvalidDocument, testing::ValuesIn(kInvalidDocuments));

std::string nested(std::size_t depth, std::string_view open, std::string_view close) {
    std::string text;
    for (std::size_t i = 0; i < depth; ++i)
        text += open;
    for (std::size_t i = 0; i < depth; ++i)
        text += close;
    return text;
}

TEST(JsonParserDepth, AcceptsMaxDepthAndRefusesOneMore) {
    JsonParser parser;
    EXPECT_EQ(parser.maxDepth(), 32u);
    EXPECT_TRUE(parser.objectWithString(nested(32, "[", "]")).has_value()) << parser.error();
    EXPECT_TRUE(parser.objectWithString(nested(16, "{\"k\":[", "]}")).has_value())
        << parser.error();

    EXPECT_FALSE(parser.objectWithString(nested(33, "[", "]")).has_value());
    EXPECT_EQ(parser.error(), "Input depth exceeds max depth of 32");
    EXPECT_FALSE(parser.objectWithString("[" + nested(16, "{\"k\":[", "]}") + "]").has_value());
    EXPECT_EQ(parser.error(), "Input depth exceeds max depth of 32");
}

TEST(JsonParserDepth, HonoursAChangedLimit) {
    JsonParser parser;
    parser.setMaxDepth(2);
    EXPECT_TRUE(parser.objectWithString("[{},[]]").has_value());
    EXPECT_FALSE(parser.objectWithString("[[[]]]").has_value());
    EXPECT_EQ(parser.error(), "Input depth exceeds max depth of 2");
}

TEST(JsonParserDepth, StopsAtTheLimitOnVeryDeepInput) {
    JsonParser parser;
    EXPECT_FALSE(parser.objectWithString(std::string(1'000'000, '[')).has_value());
    EXPECT_EQ(parser.error(), "Input depth exceeds max depth of 32");
}

TEST(JsonParserInput, NoInputIsNil) {
    JsonParser parser;
    EXPECT_FALSE(parser.objectWithData(nullptr, 0).has_value());
    EXPECT_EQ(parser.error(), "Input was 'nil'");
}

TEST(JsonParserInput, ReadsBytesUpToTheGivenLength) {
    const char bytes[] = "{\"state\":\"0\",\"msg\":\"\"}trailing";
    JsonParser parser;
    const std::optional<JsonValue> value = parser.objectWithData(bytes, 22);
    ASSERT_TRUE(value.has_value()) << parser.error();
    EXPECT_EQ(value->stringForKey("state"), "0");
}

TEST(JsonParserInput, EachCallReadsItsOwnDocument) {
    JsonParser parser;
    ASSERT_FALSE(parser.objectWithString("[1,").has_value());
    const std::optional<JsonValue> value = parser.objectWithString("[2]");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(compactJson(*value), "[2]");
}

// Strings are scanned several bytes at a time: every special byte is found wherever it falls in
// a long run of plain bytes, ASCII or not.
TEST(JsonParserStrings, FindsSpecialBytesAtEveryPlace) {
    struct Case {
        std::string inner;    // put at each place of the string
        std::string expected; // the read string's text there, or the error
        bool valid;
    };
    const Case cases[] = {
        {"\t", "Unescaped control character [0x09]", false},
        {std::string(1, '\0'), "Unescaped control character [0x00]", false},
        {"\x1f", "Unescaped control character [0x1F]", false},
        {"\xff", "Broken Unicode encoding", false},
        {"\\n", "\n", true},
        {"\\\"", "\"", true},
        {"\xc3\xa9", "\xc3\xa9", true},
        {" ", " ", true},
        {"\x7f", "\x7f", true},
    };
    for (const Case& c : cases) {
        for (std::size_t place = 0; place <= 20; ++place) {
            const std::string before(place, 'a');
            const std::string after(20 - place, 'z');
            JsonParser parser;
            const std::optional<JsonValue> value =
                parser.objectWithString("[\"" + before + c.inner + after + "\"]");
            SCOPED_TRACE(testing::Message() << "place " << place << ": " << c.expected);
            if (!c.valid) {
                EXPECT_FALSE(value.has_value());
                EXPECT_EQ(parser.error(), c.expected);
                continue;
            }
            ASSERT_TRUE(value.has_value()) << parser.error();
            const auto* array = value->get<JsonArray>();
            ASSERT_TRUE(array && array->size() == 1);
            EXPECT_EQ((*array)[0].string(), before + c.expected + after);
        }
    }
}

} // namespace
