#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class JsonValue;
struct JsonMember;

using JsonArray = std::vector<JsonValue>;

// A number that is not a plain integer: (-1 if negative) * mantissa * 10^exponent. The mantissa
// keeps every digit of the text (no leading zeros, "0" for zero), so nothing is rounded away.
// An exponent written beyond kExponentLimit counts as kExponentLimit: no caller can tell such
// numbers apart, and the arithmetic on them cannot overflow.
struct JsonDecimal {
    static constexpr std::int64_t kExponentLimit = 1'000'000'000'000'000'000;

    bool negative = false;
    std::string mantissa = "0";
    std::int64_t exponent = 0;

    friend bool operator==(const JsonDecimal&, const JsonDecimal&) = default;
};

// A dictionary with string keys, kept sorted by key (byte order) with each key once.
class JsonObject {
  public:
    // Defined where JsonMember is complete, which every compiler needs for the vector of them.
    JsonObject();
    JsonObject(const JsonObject&);
    JsonObject(JsonObject&&) noexcept;
    JsonObject& operator=(const JsonObject&);
    JsonObject& operator=(JsonObject&&) noexcept;
    ~JsonObject();
    // Takes members in the order they were read; of a repeated key the last value is kept.
    explicit JsonObject(std::vector<JsonMember> members);
    // The same for the members [first, last), which are moved from.
    JsonObject(JsonMember* first, JsonMember* last);

    // Returns the value stored under key, or nullptr if there is none.
    const JsonValue* find(std::string_view key) const;
    // Stores value under key, replacing any value stored there before.
    void set(std::string key, JsonValue value);

    std::size_t size() const;
    bool empty() const;
    const JsonMember* begin() const;
    const JsonMember* end() const;

    friend bool operator==(const JsonObject& a, const JsonObject& b);

  private:
    std::vector<JsonMember> members_;
};

// One value of a JSON document: null, a boolean, an integer (signed when the text was negative,
// unsigned otherwise), a decimal number, a string (UTF-8), an array or an object.
class JsonValue {
  public:
    using Storage = std::variant<std::nullptr_t, bool, std::int64_t, std::uint64_t, JsonDecimal,
                                 std::string, JsonArray, JsonObject>;

    JsonValue() = default;
    JsonValue(std::nullptr_t) {}
    JsonValue(bool value) : storage_(value) {}
    JsonValue(std::int64_t value) : storage_(value) {}
    JsonValue(std::uint64_t value) : storage_(value) {}
    JsonValue(JsonDecimal value) : storage_(std::move(value)) {}
    JsonValue(std::string value) : storage_(std::move(value)) {}
    JsonValue(const char* value) : storage_(std::string(value)) {}
    JsonValue(JsonArray value) : storage_(std::move(value)) {}
    JsonValue(JsonObject value) : storage_(std::move(value)) {}

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(storage_); }
    bool isArray() const { return std::holds_alternative<JsonArray>(storage_); }
    bool isObject() const { return std::holds_alternative<JsonObject>(storage_); }

    // Returns the value as a T if it holds one, else nullptr.
    template <class T> const T* get() const { return std::get_if<T>(&storage_); }

    // Returns the text if the value is a string.
    std::optional<std::string> string() const;
    // Returns the truth value if the value is a boolean.
    std::optional<bool> boolean() const;
    // Returns the member stored under key if the value is an object holding it, else nullptr.
    const JsonValue* find(std::string_view key) const;
    // Returns the member stored under key if the value is an object holding it as a string.
    std::optional<std::string> stringForKey(std::string_view key) const;

    template <class Visitor> decltype(auto) visit(Visitor&& visitor) const {
        return std::visit(std::forward<Visitor>(visitor), storage_);
    }

    friend bool operator==(const JsonValue& a, const JsonValue& b);

  private:
    Storage storage_;
};

struct JsonMember {
    std::string key;
    JsonValue value;

    friend bool operator==(const JsonMember&, const JsonMember&) = default;
};

inline std::size_t JsonObject::size() const {
    return members_.size();
}
inline bool JsonObject::empty() const {
    return members_.empty();
}
