#pragma once

#include "json/JsonToken.h"

class JsonStreamParser;

// What a call to JsonStreamParser::parse ended with.
enum class JsonStreamParserStatus {
    Complete = 0,       // the outer-most array or object has ended
    WaitingForData = 1, // the text is valid so far and more is needed
    Error = 2,          // the text is not valid; the parser's error() says why
};

// One place in the grammar: which tokens may come next and where each leads. The base class
// accepts nothing, waits for data and leads nowhere.
class JsonStreamParserState {
  public:
    virtual ~JsonStreamParserState() = default;

    virtual bool parserShouldAcceptToken(JsonStreamParser& parser, JsonToken token) const;
    virtual JsonStreamParserStatus parserShouldReturn(JsonStreamParser& parser) const;
    virtual void parserShouldTransitionTo(JsonStreamParser& parser, JsonToken token) const;
    // Returns true iff a string read in this state is an object key.
    virtual bool needKey() const;
    // Describes this place in the grammar for error messages.
    virtual const char* name() const;
    virtual bool isError() const;
};

// States hold no data, so all parsers share one instance of each, created on first use (a
// function-local static, thread-safe).
template <class State> class JsonStreamParserSharedState : public JsonStreamParserState {
  public:
    static const State& sharedInstance() {
        static const State instance{};
        return instance;
    }
};

#define JSON_STREAM_PARSER_STATE(Name)                                                             \
    class Name final : public JsonStreamParserSharedState<Name> {                                  \
      public:                                                                                      \
        bool parserShouldAcceptToken(JsonStreamParser& parser, JsonToken token) const override;    \
        void parserShouldTransitionTo(JsonStreamParser& parser, JsonToken token) const override;   \
        const char* name() const override;                                                         \
    }

// The states that differ only in what they accept and where they lead.
JSON_STREAM_PARSER_STATE(JsonStreamParserStateStart);
JSON_STREAM_PARSER_STATE(JsonStreamParserStateObjectGotKey);
JSON_STREAM_PARSER_STATE(JsonStreamParserStateObjectSeparator);
JSON_STREAM_PARSER_STATE(JsonStreamParserStateObjectGotValue);
JSON_STREAM_PARSER_STATE(JsonStreamParserStateArrayStart);
JSON_STREAM_PARSER_STATE(JsonStreamParserStateArrayGotValue);
JSON_STREAM_PARSER_STATE(JsonStreamParserStateArrayNeedValue);

#undef JSON_STREAM_PARSER_STATE

// After the outer-most array or object: nothing more is accepted.
class JsonStreamParserStateComplete final
    : public JsonStreamParserSharedState<JsonStreamParserStateComplete> {
  public:
    JsonStreamParserStatus parserShouldReturn(JsonStreamParser& parser) const override;
    const char* name() const override;
};

// After an error: the parser stays here.
class JsonStreamParserStateError final
    : public JsonStreamParserSharedState<JsonStreamParserStateError> {
  public:
    JsonStreamParserStatus parserShouldReturn(JsonStreamParser& parser) const override;
    const char* name() const override;
    bool isError() const override;
};

// The two places where a string is an object key.
class JsonStreamParserStateObjectStart final
    : public JsonStreamParserSharedState<JsonStreamParserStateObjectStart> {
  public:
    bool parserShouldAcceptToken(JsonStreamParser& parser, JsonToken token) const override;
    void parserShouldTransitionTo(JsonStreamParser& parser, JsonToken token) const override;
    bool needKey() const override;
    const char* name() const override;
};

class JsonStreamParserStateObjectNeedKey final
    : public JsonStreamParserSharedState<JsonStreamParserStateObjectNeedKey> {
  public:
    bool parserShouldAcceptToken(JsonStreamParser& parser, JsonToken token) const override;
    void parserShouldTransitionTo(JsonStreamParser& parser, JsonToken token) const override;
    bool needKey() const override;
    const char* name() const override;
};
