#include "json/JsonValue.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::size_t kSmallObject = 16;

// Byte order of keys; keys mostly differ in their first byte, which is compared without a call.
bool keyLess(std::string_view a, std::string_view b) {
    if (!a.empty() && !b.empty() && a[0] != b[0]) return (unsigned char)a[0] < (unsigned char)b[0];
    return a < b;
}

bool memberLess(const JsonMember& member, std::string_view key) {
    return keyLess(member.key, key);
}

// The first seven bytes of a key, the first one highest, in the upper bits of a number whose
// lowest byte is free: keys whose prefixes differ compare as their prefixes do.
std::uint64_t keyPrefix(std::string_view key) {
    std::uint64_t prefix = 0;
    const std::size_t length = std::min<std::size_t>(key.size(), 7);
    for (std::size_t i = 0; i < length; ++i)
        prefix |= std::uint64_t((unsigned char)key[i]) << (56 - 8 * i);
    return prefix;
}

// The reading order of the members [first, first + count) sorted by key, stably.
class SortedOrder {
  public:
    SortedOrder(const JsonMember* first, std::size_t count) : count_(count) {
        if (count > kSmallObject) large_.resize(count);
        std::uint32_t* order = data();
        if (count <= kSmallObject) {
            sortSmall(first, order);
            return;
        }
        for (std::size_t i = 0; i < count; ++i)
            order[i] = std::uint32_t(i);
        std::stable_sort(order, order + count, [first](std::uint32_t a, std::uint32_t b) {
            return keyLess(first[a].key, first[b].key);
        });
    }

    std::uint32_t* data() { return count_ > kSmallObject ? large_.data() : small_.data(); }
    std::size_t size() const { return count_; }

  private:
    // Objects are mostly small: an insertion sort of each member's key prefix and place, held
    // in one number, needs no buffer and compares keys in full only where their prefixes agree.
    void sortSmall(const JsonMember* first, std::uint32_t* order) const {
        std::array<std::uint64_t, kSmallObject> entries;
        const auto less = [first](std::uint64_t a, std::uint64_t b) {
            if ((a >> 8) != (b >> 8)) return a < b;
            return keyLess(first[a & 0xFF].key, first[b & 0xFF].key);
        };
        for (std::size_t i = 0; i < count_; ++i) {
            const std::uint64_t entry = keyPrefix(first[i].key) | i;
            std::size_t j = i;
            for (; j > 0 && less(entry, entries[j - 1]); --j)
                entries[j] = entries[j - 1];
            entries[j] = entry;
        }
        for (std::size_t i = 0; i < count_; ++i)
            order[i] = std::uint32_t(entries[i] & 0xFF);
    }

    std::size_t count_;
    std::array<std::uint32_t, kSmallObject> small_;
    std::vector<std::uint32_t> large_;
};

// Puts members into the given order where they stand, moving each member about once: the
// permutation is walked cycle by cycle.
void permute(JsonMember* members, SortedOrder& sorted) {
    std::uint32_t* order = sorted.data();
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        if (order[i] == i) continue;
        JsonMember held = std::move(members[i]);
        std::size_t j = i;
        while (order[j] != i) {
            const std::size_t from = order[j];
            members[j] = std::move(members[from]);
            order[j] = std::uint32_t(j);
            j = from;
        }
        members[j] = std::move(held);
        order[j] = std::uint32_t(j);
    }
}

// Of members sorted stably by key, keeps one per key: the one read last.
void dropRepeatedKeys(std::vector<JsonMember>& members) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (kept > 0 && members[kept - 1].key == members[i].key)
            members[kept - 1].value = std::move(members[i].value);
        else if (kept++ != i)
            members[kept - 1] = std::move(members[i]);
    }
    members.erase(members.begin() + std::ptrdiff_t(kept), members.end());
}

} // namespace

JsonObject::JsonObject() = default;
JsonObject::JsonObject(const JsonObject&) = default;
JsonObject::JsonObject(JsonObject&&) noexcept = default;
JsonObject& JsonObject::operator=(const JsonObject&) = default;
JsonObject& JsonObject::operator=(JsonObject&&) noexcept = default;
JsonObject::~JsonObject() = default;

JsonObject::JsonObject(std::vector<JsonMember> members) : members_(std::move(members)) {
    SortedOrder sorted(members_.data(), members_.size());
    permute(members_.data(), sorted);
    dropRepeatedKeys(members_);
}

JsonObject::JsonObject(JsonMember* first, JsonMember* last) {
    SortedOrder sorted(first, std::size_t(last - first));
    members_.reserve(sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        members_.push_back(std::move(first[sorted.data()[i]]));
    dropRepeatedKeys(members_);
}

const JsonValue* JsonObject::find(std::string_view key) const {
    const auto it = std::lower_bound(members_.begin(), members_.end(), key, memberLess);
    return it != members_.end() && it->key == key ? &it->value : nullptr;
}

void JsonObject::set(std::string key, JsonValue value) {
    const auto it = std::lower_bound(members_.begin(), members_.end(), key, memberLess);
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
