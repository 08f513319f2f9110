#include "tools/json_reader.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

JsonValue Parsed(std::string_view text) {
    std::variant<JsonValue, JsonError> result = ParseJson(text);
    if (const JsonError* error = std::get_if<JsonError>(&result)) {
        ADD_FAILURE() << error->line << ":" << error->column << ": " << error->message;
        return {};
    }
    return std::get<JsonValue>(result);
}

JsonError Refused(std::string_view text) {
    std::variant<JsonValue, JsonError> result = ParseJson(text);
    if (!std::holds_alternative<JsonError>(result)) {
        ADD_FAILURE() << "accepted: " << text;
        return {};
    }
    return std::get<JsonError>(result);
}

TEST(JsonReader, ReadsNestedValuesInDocumentOrder) {
    const JsonValue value = Parsed(" {\"b\": [1, -2, true, false, null], \"a\": {\"s\": \"x\"}} ");
    ASSERT_EQ(value.kind, JsonValue::Kind::Object);
    ASSERT_EQ(value.members.size(), 2u);
    EXPECT_EQ(value.members[0].key, "b");
    EXPECT_EQ(value.members[1].key, "a");
    const JsonValue& list = value.members[0].value;
    ASSERT_EQ(list.items.size(), 5u);
    EXPECT_EQ(list.items[0].integer, 1);
    EXPECT_EQ(list.items[1].integer, -2);
    EXPECT_TRUE(list.items[2].boolean);
    EXPECT_EQ(list.items[3].kind, JsonValue::Kind::Boolean);
    EXPECT_FALSE(list.items[3].boolean);
    EXPECT_EQ(list.items[4].kind, JsonValue::Kind::Null);
    EXPECT_EQ(value.members[1].value.members[0].value.text, "x");
}

TEST(JsonReader, KeepsWhereEachValueStarts) {
    const JsonValue value = Parsed("[\n  1,\n    [2]]");
    EXPECT_EQ(value.items[0].line, 2);
    EXPECT_EQ(value.items[0].column, 3);
    EXPECT_EQ(value.items[1].items[0].line, 3);
    EXPECT_EQ(value.items[1].items[0].column, 6);
}

TEST(JsonReader, NumbersWithFractionOrExponentOrOutOfRangeAreNotIntegers) {
    const JsonValue value = Parsed("[1.0, 1e2, 9223372036854775807, 9223372036854775808, -0]");
    EXPECT_FALSE(value.items[0].integer);
    EXPECT_EQ(value.items[0].text, "1.0");
    EXPECT_FALSE(value.items[1].integer);
    EXPECT_EQ(value.items[2].integer, INT64_MAX);
    EXPECT_FALSE(value.items[3].integer);
    EXPECT_EQ(value.items[4].integer, 0);
}

TEST(JsonReader, DecodesStringEscapes) {
    EXPECT_EQ(Parsed(R"("a\"\\\/\b\f\n\r\t")").text, "a\"\\/\b\f\n\r\t");
    EXPECT_EQ(Parsed(R"("\u00e9\u3042")").text, "\xC3\xA9\xE3\x81\x82");
    EXPECT_EQ(Parsed(R"("\ud83d\ude00")").text, "\xF0\x9F\x98\x80");
}

TEST(JsonReader, RefusesWhatJsonDoesNotAllow) {
    EXPECT_EQ(Refused("").message, "the JSON text ends where a value should be");
    EXPECT_EQ(Refused("[1,]").message, "expected a JSON value");
    EXPECT_EQ(Refused("[1 2]").message, "expected ',' or ']'");
    EXPECT_EQ(Refused("{\"a\" 1}").message, "expected ':'");
    EXPECT_EQ(Refused("{a: 1}").message, "expected a key in quotes");
    EXPECT_EQ(Refused("01").message, "numbers do not start with 0");
    EXPECT_EQ(Refused("1.").message, "expected a digit");
    EXPECT_EQ(Refused("+1").message, "expected a JSON value");
    EXPECT_EQ(Refused("tru").message, "expected a JSON value");
    EXPECT_EQ(Refused("\"abc").message, "the JSON text ends inside a string");
    EXPECT_EQ(Refused("\"a\tb\"").message, "a control character in a string");
    EXPECT_EQ(Refused(R"("\x")").message, "unknown escape in a string");
    EXPECT_EQ(Refused(R"("\ud83d")").message, "a high surrogate without its low half");
    EXPECT_EQ(Refused(R"("\ude00")").message, "a lone low surrogate in a string");
    EXPECT_EQ(Refused("[1] x").message, "unexpected text after the JSON value");
}

TEST(JsonReader, NamesTheLineAndColumnOfAnError) {
    const JsonError error = Refused("{\n  \"a\": [1,\n   2,,\n]}");
    EXPECT_EQ(error.line, 3);
    EXPECT_EQ(error.column, 6);
}

TEST(JsonReader, LimitsNestingInsteadOfExhaustingTheStack) {
    EXPECT_EQ(Parsed(std::string(64, '[') + std::string(64, ']')).kind, JsonValue::Kind::Array);
    EXPECT_EQ(Refused(std::string(65, '[') + std::string(65, ']')).message,
              "arrays and objects nest too deep");
    EXPECT_EQ(Refused(std::string(100000, '[')).message, "arrays and objects nest too deep");
}

}  // namespace
}  // namespace tovek
