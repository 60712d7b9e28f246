#include "json/JsonStreamParserAdapter.h"

JsonStreamParserAdapter::JsonStreamParserAdapter() {
    containerStack_.reserve(32);
    keyStack_.reserve(32);
}

void JsonStreamParserAdapter::parserFoundArrayStart(JsonStreamParser&) {
    containerStack_.push_back(Frame{Container::Array, {}, {}});
}

void JsonStreamParserAdapter::parserFoundArrayEnd(JsonStreamParser& parser) {
    JsonArray array = std::move(popFrame().array);
    if (currentType() != Container::None) return addValue(JsonValue(std::move(array)));
    if (delegate_) delegate_->parserFoundArray(parser, std::move(array));
}

void JsonStreamParserAdapter::parserFoundObjectStart(JsonStreamParser&) {
    containerStack_.push_back(Frame{Container::Dictionary, {}, {}});
}

void JsonStreamParserAdapter::parserFoundObjectEnd(JsonStreamParser& parser) {
    JsonObject object(std::move(popFrame().members));
    if (currentType() != Container::None) return addValue(JsonValue(std::move(object)));
    if (delegate_) delegate_->parserFoundObject(parser, std::move(object));
}

void JsonStreamParserAdapter::parserFoundObjectKey(JsonStreamParser&, std::string key) {
    keyStack_.push_back(std::move(key));
}

void JsonStreamParserAdapter::parserFoundString(JsonStreamParser&, std::string text) {
    addValue(JsonValue(std::move(text)));
}

void JsonStreamParserAdapter::parserFoundNumber(JsonStreamParser&, JsonValue number) {
    addValue(std::move(number));
}

void JsonStreamParserAdapter::parserFoundBoolean(JsonStreamParser&, bool value) {
    addValue(JsonValue(value));
}

void JsonStreamParserAdapter::parserFoundNull(JsonStreamParser&) {
    addValue(JsonValue());
}

JsonStreamParserAdapter::Frame JsonStreamParserAdapter::popFrame() {
    if (containerStack_.empty()) return Frame{Container::None, {}, {}};
    Frame frame = std::move(containerStack_.back());
    containerStack_.pop_back();
    return frame;
}

// Puts a value into the current container: under the last key of a dictionary, or at the end of
// an array. The grammar allows no value outside a container other than the outer-most one.
void JsonStreamParserAdapter::addValue(JsonValue value) {
    if (currentType() == Container::Array) {
        containerStack_.back().array.push_back(std::move(value));
    } else if (currentType() == Container::Dictionary && !keyStack_.empty()) {
        containerStack_.back().members.push_back({std::move(keyStack_.back()), std::move(value)});
        keyStack_.pop_back();
    }
}

JsonStreamParserAdapter::Container JsonStreamParserAdapter::currentType() const {
    return containerStack_.empty() ? Container::None : containerStack_.back().kind;
}
