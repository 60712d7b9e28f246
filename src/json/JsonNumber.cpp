#include "json/JsonNumber.h"

#include <algorithm>

namespace {

// Below 19 digits every mantissa fits in 63 bits, so the integer forms cannot overflow.
constexpr std::size_t kIntegerDigitLimit = 19;

std::uint64_t digitsValue(std::string_view digits) {
    std::uint64_t value = 0;
    for (char c : digits)
        value = value * 10 + std::uint64_t(c - '0');
    return value;
}

std::int64_t saturatedExponent(std::string_view digits) {
    std::uint64_t value = 0;
    for (char c : digits) {
        value = std::min<std::uint64_t>(value * 10 + std::uint64_t(c - '0'),
                                        JsonDecimal::kExponentLimit);
    }
    return std::int64_t(value);
}

} // namespace

JsonValue jsonNumber(const JsonNumberText& text) {
    const std::size_t digitCount = text.integerDigits.size() + text.fractionDigits.size();
    if (digitCount < kIntegerDigitLimit && text.fractionDigits.empty() && !text.hasExponent) {
        const std::uint64_t magnitude = digitsValue(text.integerDigits);
        if (text.negative) return JsonValue(-std::int64_t(magnitude));
        return JsonValue(magnitude);
    }
    JsonDecimal decimal;
    decimal.negative = text.negative;
    decimal.mantissa.assign(text.integerDigits).append(text.fractionDigits);
    const std::size_t firstSignificant = decimal.mantissa.find_first_not_of('0');
    decimal.mantissa.erase(0, std::min(firstSignificant, decimal.mantissa.size() - 1));
    // The fraction length is bounded by the input size, far below what would overflow here.
    const std::int64_t exponent = saturatedExponent(text.exponentDigits);
    decimal.exponent =
        (text.negativeExponent ? -exponent : exponent) - std::int64_t(text.fractionDigits.size());
    return JsonValue(std::move(decimal));
}
