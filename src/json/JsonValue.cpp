#include "json/JsonValue.h"

#include <algorithm>

namespace {

bool keyLess(const JsonMember& member, std::string_view key) {
    return member.key < key;
}

} // namespace

JsonObject::JsonObject() = default;
JsonObject::JsonObject(const JsonObject&) = default;
JsonObject::JsonObject(JsonObject&&) noexcept = default;
JsonObject& JsonObject::operator=(const JsonObject&) = default;
JsonObject& JsonObject::operator=(JsonObject&&) noexcept = default;
JsonObject::~JsonObject() = default;

JsonObject::JsonObject(std::vector<JsonMember> members) {
    std::stable_sort(members.begin(), members.end(),
                     [](const JsonMember& a, const JsonMember& b) { return a.key < b.key; });
    members_.reserve(members.size());
    for (JsonMember& member : members) {
        // Equal keys stay in reading order, so the one written last wins.
        if (!members_.empty() && members_.back().key == member.key)
            members_.back().value = std::move(member.value);
        else
            members_.push_back(std::move(member));
    }
}

const JsonValue* JsonObject::find(std::string_view key) const {
    const auto it = std::lower_bound(members_.begin(), members_.end(), key, keyLess);
    return it != members_.end() && it->key == key ? &it->value : nullptr;
}

void JsonObject::set(std::string key, JsonValue value) {
    const auto it = std::lower_bound(members_.begin(), members_.end(), key, keyLess);
    if (it != members_.end() && it->key == key)
        it->value = std::move(value);
    else
        members_.insert(it, JsonMember{std::move(key), std::move(value)});
}

const JsonMember* JsonObject::begin() const {
    return members_.data();
}

const JsonMember* JsonObject::end() const {
    return members_.data() + members_.size();
}

bool operator==(const JsonObject& a, const JsonObject& b) {
    return a.members_ == b.members_;
}

std::optional<std::string> JsonValue::string() const {
    if (const auto* text = get<std::string>()) return *text;
    return std::nullopt;
}

std::optional<bool> JsonValue::boolean() const {
    if (const auto* flag = get<bool>()) return *flag;
    return std::nullopt;
}

const JsonValue* JsonValue::find(std::string_view key) const {
    const auto* object = get<JsonObject>();
    return object ? object->find(key) : nullptr;
}

std::optional<std::string> JsonValue::stringForKey(std::string_view key) const {
    const JsonValue* member = find(key);
    return member ? member->string() : std::nullopt;
}

bool operator==(const JsonValue& a, const JsonValue& b) {
    return a.storage_ == b.storage_;
}
