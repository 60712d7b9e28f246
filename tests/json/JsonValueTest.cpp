#include "JsonTestSupport.h"

#include "json/JsonParser.h"

#include <gtest/gtest.h>

namespace {

JsonValue parsed(std::string_view text) {
    JsonParser parser;
    std::optional<JsonValue> value = parser.objectWithString(text);
    EXPECT_TRUE(value.has_value()) << parser.error();
    return value.value_or(JsonValue());
}

TEST(JsonValueAccess, ReadsServerAnswerFields) {
    const JsonValue answer = parsed(R"({"state":"0","msg":"","count":3,"ok":true,"none":null})");
    ASSERT_TRUE(answer.isObject());
    EXPECT_EQ(answer.stringForKey("state"), "0");
    EXPECT_EQ(answer.stringForKey("msg"), "");
    // Missing fields and fields of another type read as none.
    EXPECT_EQ(answer.stringForKey("upload_path"), std::nullopt);
    EXPECT_EQ(answer.stringForKey("count"), std::nullopt);
    EXPECT_EQ(answer.find("upload_path"), nullptr);
    ASSERT_NE(answer.find("none"), nullptr);
    EXPECT_TRUE(answer.find("none")->isNull());
    EXPECT_EQ(answer.find("ok")->boolean(), true);
    EXPECT_EQ(answer.find("state")->boolean(), std::nullopt);
    EXPECT_EQ(*answer.find("count")->get<std::uint64_t>(), 3u);
    EXPECT_EQ(answer.find("count")->get<std::int64_t>(), nullptr);
}

TEST(JsonValueAccess, NonObjectsHaveNoKeys) {
    const JsonValue list = parsed(R"(["state"])");
    EXPECT_TRUE(list.isArray());
    EXPECT_FALSE(list.isObject());
    EXPECT_EQ(list.find("state"), nullptr);
    EXPECT_EQ(list.stringForKey("state"), std::nullopt);
    EXPECT_EQ(list.get<JsonArray>()->front().string(), "state");
}

TEST(JsonValueEquality, TellsNumberKindsApart) {
    EXPECT_NE(JsonValue(std::int64_t{1}), JsonValue(std::uint64_t{1}));
    EXPECT_NE(JsonValue(std::uint64_t{1}), JsonValue(true));
    EXPECT_NE(JsonValue(JsonDecimal{false, "1", 0}), JsonValue(JsonDecimal{true, "1", 0}));
    EXPECT_EQ(JsonValue("a"), JsonValue(std::string("a")));
}

TEST(JsonObjectMembers, KeepOneSortedEntryPerKey) {
    JsonObject object({{"b", JsonValue(std::uint64_t{1})},
                       {"a", JsonValue("first")},
                       {"b", JsonValue(std::uint64_t{2})},
                       {"a", JsonValue("last")}});
    object.set("c", JsonValue());
    object.set("b", JsonValue(false));
    std::vector<std::string> keys;
    for (const JsonMember& member : object)
        keys.push_back(member.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(*object.find("a"), JsonValue("last"));
    EXPECT_EQ(*object.find("b"), JsonValue(false));
    EXPECT_EQ(object.find("d"), nullptr);
}

// Keys in byte order, also where they share their first byte or their first seven, are empty,
// start or end with a zero byte or start with a byte above 0x7F; a repeated key keeps the value
// read last.
TEST(JsonObjectMembers, SortsSmallObjectsByEveryByteOfTheKey) {
    const std::string zero("\0z", 2);
    const std::string endsInZero("a\0", 2);
    JsonObject object({{"\xE4\xB8\xAD", JsonValue("cjk")},
                       {"ab", JsonValue("ab")},
                       {"inspectorB", JsonValue("B")},
                       {zero, JsonValue("zero")},
                       {"inspectorA", JsonValue("A")},
                       {"a", JsonValue("a")},
                       {"", JsonValue("empty")},
                       {endsInZero, JsonValue("a0")},
                       {"abc", JsonValue("abc")},
                       {"inspector", JsonValue("inspector")},
                       {"B", JsonValue("B")},
                       {"inspectorA", JsonValue("A again")},
                       {"ab", JsonValue("ab again")}});
    std::vector<std::string> keys;
    for (const JsonMember& member : object)
        keys.push_back(member.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"", zero, "B", "a", endsInZero, "ab", "abc",
                                              "inspector", "inspectorA", "inspectorB",
                                              "\xE4\xB8\xAD"}));
    EXPECT_EQ(*object.find("ab"), JsonValue("ab again"));
    EXPECT_EQ(*object.find("inspectorA"), JsonValue("A again"));
    EXPECT_EQ(*object.find(""), JsonValue("empty"));
    EXPECT_EQ(*object.find(endsInZero), JsonValue("a0"));
}

// Large enough that sorting cannot fall back on a small, incidentally stable method.
TEST(JsonObjectMembers, LastRepeatWinsAmongManyMembers) {
    std::vector<JsonMember> members;
    for (std::uint64_t i = 0; i < 200; ++i)
        members.push_back({"k" + std::to_string(i % 10), JsonValue(i)});
    const JsonObject object(std::move(members));
    EXPECT_EQ(object.size(), 10u);
    for (std::uint64_t k = 0; k < 10; ++k)
        EXPECT_EQ(*object.find("k" + std::to_string(k)), JsonValue(190 + k));
}

} // namespace
