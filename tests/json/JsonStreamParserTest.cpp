#include "JsonTestDocuments.h"
#include "JsonTestSupport.h"

#include "json/JsonCompactWriter.h"
#include "json/JsonStreamParser.h"
#include "json/JsonStreamParserAccumulator.h"
#include "json/JsonStreamParserAdapter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reading a document in pieces of any size ends exactly as reading it whole: every token can be
// cut anywhere (strings, escapes, surrogate pairs, UTF-8 sequences, numbers, literals).
class InPieces : public testing::TestWithParam<DocumentCase> {};

TEST_P(InPieces, EndsAsWhole) {
    const std::string_view input = GetParam().input;
    const Outcome whole = parseInPieces(input, input.size() + 1);
    for (std::size_t pieceSize : {1, 2, 3, 5})
        EXPECT_EQ(parseInPieces(input, pieceSize), whole) << "pieces of " << pieceSize;
}

INSTANTIATE_TEST_SUITE_P(Valid, InPieces, testing::ValuesIn(kValidDocuments));
INSTANTIATE_TEST_SUITE_P(Invalid, InPieces, testing::ValuesIn(kInvalidDocuments));

TEST(JsonStreamParser, WaitsForDataUntilTheOuterMostValueEnds) {
    JsonStreamParserAccumulator accumulator;
    JsonStreamParserAdapter adapter;
    adapter.setDelegate(&accumulator);
    JsonStreamParser parser;
    parser.setDelegate(&adapter);
    // A number is not whole until a byte after it arrives: "1" may go on as "12".
    EXPECT_EQ(parser.parse(R"({"n":[1)"), JsonStreamParserStatus::WaitingForData);
    EXPECT_EQ(parser.parse(R"(2],"s":"\uD8)"), JsonStreamParserStatus::WaitingForData);
    EXPECT_EQ(parser.parse("3D\\uDE00 \xE4\xB8"), JsonStreamParserStatus::WaitingForData);
    EXPECT_EQ(parser.parse("\xAD\"} \n"), JsonStreamParserStatus::Complete);
    EXPECT_EQ(compactJson(accumulator.takeValue()), R"({"n":[12],"s":"😀 中"})");
}

// The parser keeps what a later piece continues, so the caller's bytes may go as soon as parse()
// has returned: here each piece is overwritten once read.
TEST(JsonStreamParser, HoldsNoPieceAfterReadingIt) {
    struct Reading {
        Reading() {
            adapter.setDelegate(&accumulator);
            parser.setDelegate(&adapter);
        }
        JsonStreamParserAccumulator accumulator;
        JsonStreamParserAdapter adapter;
        JsonStreamParser parser;
    } reading;
    JsonStreamParser& parser = reading.parser;
    const std::string document = R"({"name":"陳大文 \"檢查\"","n":[12345,-1.5e3,true,null]})";
    for (std::size_t at = 0; at < document.size(); at += 3) {
        std::string piece = document.substr(at, 3);
        parser.parse(piece);
        piece.assign(piece.size(), 'x');
    }
    ASSERT_EQ(parser.finish(), JsonStreamParserStatus::Complete) << parser.error();
    EXPECT_EQ(compactJson(reading.accumulator.takeValue()),
              R"({"n":[12345,-15e2,true,null],"name":"陳大文 \"檢查\""})");
}

TEST(JsonStreamParser, StaysInErrorOnceFailed) {
    JsonStreamParser parser;
    EXPECT_EQ(parser.parse("[1,,"), JsonStreamParserStatus::Error);
    EXPECT_EQ(parser.error(), "Token 'value separator' not expected as array value");
    EXPECT_TRUE(parser.state().isError());
    EXPECT_EQ(parser.parse("2]"), JsonStreamParserStatus::Error);
    EXPECT_EQ(parser.error(), "Token 'value separator' not expected as array value");
}

// Records what the parser reports, in order.
class RecordingDelegate : public JsonStreamParserDelegate {
  public:
    std::vector<std::string> events;

    void parserFoundArrayStart(JsonStreamParser&) override { events.push_back("["); }
    void parserFoundArrayEnd(JsonStreamParser&) override { events.push_back("]"); }
    void parserFoundObjectStart(JsonStreamParser&) override { events.push_back("{"); }
    void parserFoundObjectEnd(JsonStreamParser&) override { events.push_back("}"); }
    void parserFoundObjectKey(JsonStreamParser&, std::string key) override {
        events.push_back("key " + key);
    }
    void parserFoundString(JsonStreamParser&, std::string text) override {
        events.push_back("string " + text);
    }
    void parserFoundNumber(JsonStreamParser&, JsonValue number) override {
        events.push_back("number " + compactJson(number));
    }
    void parserFoundBoolean(JsonStreamParser&, bool value) override {
        events.push_back(value ? "true" : "false");
    }
    void parserFoundNull(JsonStreamParser&) override { events.push_back("null"); }
};

TEST(JsonStreamParser, TellsItsDelegateKeysApartFromStrings) {
    RecordingDelegate delegate;
    JsonStreamParser parser;
    parser.setDelegate(&delegate);
    ASSERT_EQ(parser.parse(R"({"k":"v","a":[true,null,-1.5],"o":{"k":false}})"),
              JsonStreamParserStatus::Complete);
    const std::vector<std::string> expected = {"{",    "key k", "string v",      "key a", "[",
                                               "true", "null",  "number -15e-1", "]",     "key o",
                                               "{",    "key k", "false",         "}",     "}"};
    EXPECT_EQ(delegate.events, expected);
}

} // namespace
