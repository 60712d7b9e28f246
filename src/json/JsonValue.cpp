#include "json/JsonValue.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::size_t kSmallObject = 16;

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

JsonObject::JsonObject(std::vector<JsonMember> members)
    : JsonObject(members.data(), members.data() + members.size()) {}

JsonObject::JsonObject(JsonMember* first, JsonMember* last) {
    // The reading order sorted by key, stably; each member is then moved once, into place.
    const std::size_t count = std::size_t(last - first);
    std::array<std::uint32_t, kSmallObject> small;
    std::vector<std::uint32_t> large;
    std::uint32_t* order = small.data();
    if (count > kSmallObject) {
        large.resize(count);
        order = large.data();
    }
    for (std::size_t i = 0; i < count; ++i)
        order[i] = std::uint32_t(i);
    const auto byKey = [first](std::uint32_t a, std::uint32_t b) {
        return first[a].key < first[b].key;
    };
    if (count <= kSmallObject) {
        // Objects are mostly small: an insertion sort needs no buffer.
        for (std::size_t i = 1; i < count; ++i)
            for (std::size_t j = i; j > 0 && byKey(order[j], order[j - 1]); --j)
                std::swap(order[j], order[j - 1]);
    } else {
        std::stable_sort(order, order + count, byKey);
    }
    members_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        JsonMember& member = first[order[i]];
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
