#include "json/JsonStreamParser.h"

#include "json/JsonMessage.h"

namespace {

JsonStreamParserDelegate& ignoringDelegate() {
    static JsonStreamParserDelegate delegate;
    return delegate;
}

const char* tokenName(JsonToken token) {
    switch (token) {
    case JsonToken::ArrayStart:
        return "start of array";
    case JsonToken::ArrayEnd:
        return "end of array";
    case JsonToken::ObjectStart:
        return "start of object";
    case JsonToken::ObjectEnd:
        return "end of object";
    case JsonToken::ValueSeparator:
        return "value separator";
    case JsonToken::KeyValueSeparator:
        return "key-value separator";
    case JsonToken::Number:
        return "number";
    case JsonToken::String:
        return "string";
    case JsonToken::True:
    case JsonToken::False:
        return "boolean";
    case JsonToken::Null:
        return "null";
    default:
        return "<aaiiie!>";
    }
}

} // namespace

JsonStreamParser::JsonStreamParser()
    : delegate_(&ignoringDelegate()), state_(&JsonStreamParserStateStart::sharedInstance()) {}

void JsonStreamParser::setDelegate(JsonStreamParserDelegate* delegate) {
    delegate_ = delegate ? delegate : &ignoringDelegate();
}

JsonStreamParserStatus JsonStreamParser::parse(std::string_view bytes) {
    // Nothing can follow an error, so its input need not be kept.
    if (state_->isError()) return JsonStreamParserStatus::Error;
    tokeniser_.appendData(bytes);
    const JsonStreamParserStatus status = parseTokens();
    // The tokens are read where the caller holds the bytes; what a later piece continues is kept.
    tokeniser_.keepRemaining();
    return status;
}

JsonStreamParserStatus JsonStreamParser::parseTokens() {
    for (;;) {
        const JsonToken token = tokeniser_.getToken();
        if (token == JsonToken::Error) return fail(tokeniser_.error());
        if (token == JsonToken::Eof) return state_->parserShouldReturn(*this);
        if (!state_->parserShouldAcceptToken(*this, token)) return rejectToken(token);
        // Only opening a container beyond the depth limit fails once the token is accepted.
        if (!handleToken(token)) return JsonStreamParserStatus::Error;
    }
}

// Once the input has ended, a token cut off by its end is refused like a whole token if its kind
// has no place here, so that trailing text after the outer-most value is never taken for a
// finished document and a bare number is refused as a number.
JsonStreamParserStatus JsonStreamParser::finish() {
    const JsonToken pending = tokeniser_.pendingToken();
    if (state_->isError() || pending == JsonToken::Eof) return state_->parserShouldReturn(*this);
    if (!state_->parserShouldAcceptToken(*this, pending)) return rejectToken(pending);
    return JsonStreamParserStatus::WaitingForData;
}

JsonStreamParserStatus JsonStreamParser::fail(std::string message) {
    error_ = std::move(message);
    setState(JsonStreamParserStateError::sharedInstance());
    return JsonStreamParserStatus::Error;
}

JsonStreamParserStatus JsonStreamParser::rejectToken(JsonToken token) {
    return fail(
        fillMessage("Token '%@' not expected %@", "%@", {tokenName(token), state_->name()}));
}

bool JsonStreamParser::handleToken(JsonToken token) {
    switch (token) {
    case JsonToken::ArrayStart:
    case JsonToken::ObjectStart:
        return openContainer(token);
    case JsonToken::ArrayEnd:
    case JsonToken::ObjectEnd:
        closeContainer(token);
        return true;
    case JsonToken::Number:
        delegate_->parserFoundNumber(*this, tokeniser_.takeNumber());
        break;
    case JsonToken::String:
        if (state_->needKey())
            delegate_->parserFoundObjectKey(*this, tokeniser_.takeString());
        else
            delegate_->parserFoundString(*this, tokeniser_.takeString());
        break;
    case JsonToken::True:
    case JsonToken::False:
        delegate_->parserFoundBoolean(*this, token == JsonToken::True);
        break;
    case JsonToken::Null:
        delegate_->parserFoundNull(*this);
        break;
    default: // separators only move the state on
        break;
    }
    state_->parserShouldTransitionTo(*this, token);
    return true;
}

bool JsonStreamParser::openContainer(JsonToken token) {
    if (stateStack_.size() >= maxDepth_) {
        fail(printfMessage("Input depth exceeds max depth of %lu", maxDepth_));
        return false;
    }
    if (token == JsonToken::ArrayStart) {
        delegate_->parserFoundArrayStart(*this);
        stateStack_.push_back(state_);
        setState(JsonStreamParserStateArrayStart::sharedInstance());
    } else {
        delegate_->parserFoundObjectStart(*this);
        stateStack_.push_back(state_);
        setState(JsonStreamParserStateObjectStart::sharedInstance());
    }
    return true;
}

void JsonStreamParser::closeContainer(JsonToken token) {
    // Only states inside a container accept its end, so a saved state is always there.
    state_ = stateStack_.back();
    stateStack_.pop_back();
    state_->parserShouldTransitionTo(*this, token);
    if (token == JsonToken::ArrayEnd)
        delegate_->parserFoundArrayEnd(*this);
    else
        delegate_->parserFoundObjectEnd(*this);
}
