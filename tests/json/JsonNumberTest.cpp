#include "JsonTestSupport.h"

#include "json/JsonParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NumberCase {
    const char* text;
    JsonValue expected;
};

class JsonNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(JsonNumber, ReadsAsItsType) {
    JsonParser parser;
    const std::optional<JsonValue> value =
        parser.objectWithString("[" + std::string(GetParam().text) + "]");
    ASSERT_TRUE(value.has_value()) << parser.error();
    const JsonArray* array = value->get<JsonArray>();
    ASSERT_TRUE(array && array->size() == 1);
    EXPECT_EQ(array->front(), GetParam().expected);
}

JsonValue decimal(bool negative, const char* mantissa, std::int64_t exponent) {
    return JsonValue(JsonDecimal{negative, mantissa, exponent});
}

constexpr std::int64_t kLimit = JsonDecimal::kExponentLimit;

INSTANTIATE_TEST_SUITE_P(
    Numbers, JsonNumber,
    testing::Values(
        NumberCase{"5", JsonValue(std::uint64_t{5})}, NumberCase{"-5", JsonValue(std::int64_t{-5})},
        NumberCase{"0", JsonValue(std::uint64_t{0})}, NumberCase{"-0", JsonValue(std::int64_t{0})},
        // 18 digits still make an integer; from 19 on every digit is kept in a decimal.
        NumberCase{"999999999999999999", JsonValue(std::uint64_t{999999999999999999})},
        NumberCase{"-999999999999999999", JsonValue(std::int64_t{-999999999999999999})},
        NumberCase{"1000000000000000000", decimal(false, "1000000000000000000", 0)},
        NumberCase{"18446744073709551616", decimal(false, "18446744073709551616", 0)},
        NumberCase{"-98765432109876543210", decimal(true, "98765432109876543210", 0)},
        NumberCase{"123456789012345678901234567890.5e-3",
                   decimal(false, "1234567890123456789012345678905", -4)},
        NumberCase{"1.5e2", decimal(false, "15", 1)}, NumberCase{"-0.0", decimal(true, "0", -1)},
        NumberCase{"0.000000000000000000000000000000", decimal(false, "0", -30)},
        NumberCase{"7E-0", decimal(false, "7", 0)},
        NumberCase{"1e00000000000000000000000000000000000000000000000012", decimal(false, "1", 12)},
        // Exponents past the limit saturate instead of overflowing.
        NumberCase{"1e18446744073709551616", decimal(false, "1", kLimit)},
        NumberCase{"-2.5e-99999999999999999999999999", decimal(true, "25", -kLimit - 1)}));

} // namespace
