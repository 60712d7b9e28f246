#include "json/JsonStreamParserAdapter.h"

#include <iterator>

namespace {

// Room for the members of a small object, made once per document (small enough for the
// allocator's fast path).
constexpr std::size_t kFirstMembers = 8;

// Moves the values of scratch from start on into an array of their own.
JsonArray takeFrom(std::vector<JsonValue>& scratch, std::size_t start) {
    const auto first = scratch.begin() + std::ptrdiff_t(start);
    JsonArray taken(std::make_move_iterator(first), std::make_move_iterator(scratch.end()));
    scratch.erase(first, scratch.end());
    return taken;
}

} // namespace

void JsonStreamParserAdapter::parserFoundArrayStart(JsonStreamParser&) {
    containerStack_.push_back(Frame{Container::Array, values_.size(), false});
}

void JsonStreamParserAdapter::parserFoundArrayEnd(JsonStreamParser& parser) {
    const std::size_t start = closeFrame(Container::Array);
    if (currentType() != Container::None) return addValue(JsonValue(takeFrom(values_, start)));
    // The outer-most array takes the scratch stack as it is: its values are all there.
    JsonArray array = std::move(values_);
    values_.clear();
    if (delegate_) delegate_->parserFoundArray(parser, std::move(array));
}

void JsonStreamParserAdapter::parserFoundObjectStart(JsonStreamParser&) {
    if (members_.capacity() == 0) members_.reserve(kFirstMembers);
    containerStack_.push_back(Frame{Container::Dictionary, members_.size(), false});
}

void JsonStreamParserAdapter::parserFoundObjectEnd(JsonStreamParser& parser) {
    const std::size_t start = closeFrame(Container::Dictionary);
    if (currentType() == Container::None) {
        // The outer-most object takes the scratch stack as it is: its members are all there.
        JsonObject object(std::move(members_));
        members_.clear();
        if (delegate_) delegate_->parserFoundObject(parser, std::move(object));
        return;
    }
    JsonObject object(members_.data() + start, members_.data() + members_.size());
    members_.erase(members_.begin() + std::ptrdiff_t(start), members_.end());
    addValue(JsonValue(std::move(object)));
}

void JsonStreamParserAdapter::parserFoundObjectKey(JsonStreamParser&, std::string key) {
    if (currentType() != Container::Dictionary) return;
    Frame& frame = containerStack_.back();
    // A key without a value (which the grammar never lets through) is replaced.
    if (frame.keyWaiting) members_.pop_back();
    // Made in place, key moved once; the value starts as null (made without clearing the member).
    members_.emplace_back(std::move(key), nullptr);
    frame.keyWaiting = true;
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

// Ends the innermost container and returns where its elements start on the scratch stack of
// kind; a container end without a start (which the grammar never lets through) is empty.
std::size_t JsonStreamParserAdapter::closeFrame(Container kind) {
    const std::size_t end = kind == Container::Array ? values_.size() : members_.size();
    if (containerStack_.empty() || containerStack_.back().kind != kind) return end;
    const Frame frame = containerStack_.back();
    containerStack_.pop_back();
    // A key left waiting has no member to go with.
    if (frame.keyWaiting) members_.pop_back();
    return frame.start;
}

// Puts a value into the current container: under the last key of a dictionary, or at the end of
// an array. The grammar allows no value outside a container other than the outer-most one.
void JsonStreamParserAdapter::addValue(JsonValue&& value) {
    if (currentType() == Container::Array) {
        values_.push_back(std::move(value));
    } else if (currentType() == Container::Dictionary && containerStack_.back().keyWaiting) {
        members_.back().value = std::move(value);
        containerStack_.back().keyWaiting = false;
    }
}

JsonStreamParserAdapter::Container JsonStreamParserAdapter::currentType() const {
    return containerStack_.empty() ? Container::None : containerStack_.back().kind;
}
