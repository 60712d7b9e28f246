#include "json/JsonStreamParserState.h"

#include "json/JsonStreamParser.h"

namespace {

// The tokens that begin a value inside an array or object.
bool isValueToken(JsonToken token) {
    switch (token) {
    case JsonToken::ArrayStart:
    case JsonToken::ObjectStart:
    case JsonToken::Number:
    case JsonToken::String:
    case JsonToken::True:
    case JsonToken::False:
    case JsonToken::Null:
        return true;
    default:
        return false;
    }
}

bool isContainerEnd(JsonToken token) {
    return token == JsonToken::ArrayEnd || token == JsonToken::ObjectEnd;
}

template <class State> void enter(JsonStreamParser& parser) {
    parser.setState(State::sharedInstance());
}

} // namespace

bool JsonStreamParserState::parserShouldAcceptToken(JsonStreamParser&, JsonToken) const {
    return false;
}

JsonStreamParserStatus JsonStreamParserState::parserShouldReturn(JsonStreamParser&) const {
    return JsonStreamParserStatus::WaitingForData;
}

void JsonStreamParserState::parserShouldTransitionTo(JsonStreamParser&, JsonToken) const {}

bool JsonStreamParserState::needKey() const {
    return false;
}

const char* JsonStreamParserState::name() const {
    return "<aaiie!>";
}

bool JsonStreamParserState::isError() const {
    return false;
}

bool JsonStreamParserStateStart::parserShouldAcceptToken(JsonStreamParser&, JsonToken token) const {
    return token == JsonToken::ArrayStart || token == JsonToken::ObjectStart;
}

void JsonStreamParserStateStart::parserShouldTransitionTo(JsonStreamParser& parser,
                                                          JsonToken token) const {
    if (isContainerEnd(token)) enter<JsonStreamParserStateComplete>(parser);
}

const char* JsonStreamParserStateStart::name() const {
    return "before outer-most array or object";
}

JsonStreamParserStatus JsonStreamParserStateComplete::parserShouldReturn(JsonStreamParser&) const {
    return JsonStreamParserStatus::Complete;
}

const char* JsonStreamParserStateComplete::name() const {
    return "after outer-most array or object";
}

JsonStreamParserStatus JsonStreamParserStateError::parserShouldReturn(JsonStreamParser&) const {
    return JsonStreamParserStatus::Error;
}

const char* JsonStreamParserStateError::name() const {
    return "in error";
}

bool JsonStreamParserStateError::isError() const {
    return true;
}

bool JsonStreamParserStateObjectStart::parserShouldAcceptToken(JsonStreamParser&,
                                                               JsonToken token) const {
    return token == JsonToken::ObjectEnd || token == JsonToken::String;
}

void JsonStreamParserStateObjectStart::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                JsonToken) const {
    enter<JsonStreamParserStateObjectGotKey>(parser);
}

bool JsonStreamParserStateObjectStart::needKey() const {
    return true;
}

const char* JsonStreamParserStateObjectStart::name() const {
    return "at beginning of object";
}

bool JsonStreamParserStateObjectGotKey::parserShouldAcceptToken(JsonStreamParser&,
                                                                JsonToken token) const {
    return token == JsonToken::KeyValueSeparator;
}

void JsonStreamParserStateObjectGotKey::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                 JsonToken) const {
    enter<JsonStreamParserStateObjectSeparator>(parser);
}

const char* JsonStreamParserStateObjectGotKey::name() const {
    return "after object key";
}

bool JsonStreamParserStateObjectSeparator::parserShouldAcceptToken(JsonStreamParser&,
                                                                   JsonToken token) const {
    return isValueToken(token);
}

void JsonStreamParserStateObjectSeparator::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                    JsonToken) const {
    enter<JsonStreamParserStateObjectGotValue>(parser);
}

const char* JsonStreamParserStateObjectSeparator::name() const {
    return "as object value";
}

bool JsonStreamParserStateObjectGotValue::parserShouldAcceptToken(JsonStreamParser&,
                                                                  JsonToken token) const {
    return token == JsonToken::ObjectEnd || token == JsonToken::ValueSeparator;
}

void JsonStreamParserStateObjectGotValue::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                   JsonToken) const {
    enter<JsonStreamParserStateObjectNeedKey>(parser);
}

const char* JsonStreamParserStateObjectGotValue::name() const {
    return "after object value";
}

bool JsonStreamParserStateObjectNeedKey::parserShouldAcceptToken(JsonStreamParser&,
                                                                 JsonToken token) const {
    return token == JsonToken::String;
}

void JsonStreamParserStateObjectNeedKey::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                  JsonToken) const {
    enter<JsonStreamParserStateObjectGotKey>(parser);
}

bool JsonStreamParserStateObjectNeedKey::needKey() const {
    return true;
}

const char* JsonStreamParserStateObjectNeedKey::name() const {
    return "in place of object key";
}

bool JsonStreamParserStateArrayStart::parserShouldAcceptToken(JsonStreamParser&,
                                                              JsonToken token) const {
    return token == JsonToken::ArrayEnd || isValueToken(token);
}

void JsonStreamParserStateArrayStart::parserShouldTransitionTo(JsonStreamParser& parser,
                                                               JsonToken) const {
    enter<JsonStreamParserStateArrayGotValue>(parser);
}

const char* JsonStreamParserStateArrayStart::name() const {
    return "at array start";
}

bool JsonStreamParserStateArrayGotValue::parserShouldAcceptToken(JsonStreamParser&,
                                                                 JsonToken token) const {
    return token == JsonToken::ArrayEnd || token == JsonToken::ValueSeparator;
}

void JsonStreamParserStateArrayGotValue::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                  JsonToken token) const {
    if (token == JsonToken::ValueSeparator) enter<JsonStreamParserStateArrayNeedValue>(parser);
}

const char* JsonStreamParserStateArrayGotValue::name() const {
    return "after array value";
}

bool JsonStreamParserStateArrayNeedValue::parserShouldAcceptToken(JsonStreamParser&,
                                                                  JsonToken token) const {
    return isValueToken(token);
}

void JsonStreamParserStateArrayNeedValue::parserShouldTransitionTo(JsonStreamParser& parser,
                                                                   JsonToken) const {
    enter<JsonStreamParserStateArrayGotValue>(parser);
}

const char* JsonStreamParserStateArrayNeedValue::name() const {
    return "as array value";
}
