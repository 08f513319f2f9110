#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tovek {

struct JsonMember;

// A parsed JSON value with the line and column where it starts, so that
// callers can point at the place a value they refuse came from.
struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    int line = 1;
    int column = 1;
    bool boolean = false;
    std::string text;                     // a string's value, or a number as written
    std::optional<std::int64_t> integer;  // a number without fraction or exponent that fits
    std::vector<JsonValue> items;         // Array
    std::vector<JsonMember> members;      // Object, in document order
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

struct JsonError {
    int line = 1;
    int column = 1;
    std::string message;
};

// Strict JSON (RFC 8259): one value, nothing but white space around it,
// nesting at most 64 deep. Duplicate object keys are kept; callers decide.
std::variant<JsonValue, JsonError> ParseJson(std::string_view text);

// A short name of a kind for messages: "an object", "a number"...
std::string_view DescribeJsonKind(JsonValue::Kind kind);

}  // namespace tovek
