#include "tools/json_reader.h"

#include <charconv>

namespace tovek {
namespace {

constexpr int kMaxDepth = 64;

class JsonParser {
  public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    std::variant<JsonValue, JsonError> ParseDocument() {
        SkipWhiteSpace();
        JsonValue value;
        if (!ParseValue(value, 0)) return error_;
        SkipWhiteSpace();
        if (position_ < text_.size()) {
            Fail("unexpected text after the JSON value");
            return error_;
        }
        return value;
    }

  private:
    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }

    void Advance() {
        if (text_[position_] == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        ++position_;
    }

    bool Fail(std::string message) {
        error_ = JsonError{line_, column_, std::move(message)};
        return false;
    }

    void SkipWhiteSpace() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            Advance();
        }
    }

    bool Expect(char c) {
        if (Peek() != c) return Fail(std::string("expected '") + c + "'");
        Advance();
        return true;
    }

    bool ParseValue(JsonValue& value, int depth) {
        value.line = line_;
        value.column = column_;
        switch (Peek()) {
            case '{':
                return ParseObject(value, depth + 1);
            case '[':
                return ParseArray(value, depth + 1);
            case '"':
                value.kind = JsonValue::Kind::String;
                return ParseString(value.text);
            case 't':
                value.kind = JsonValue::Kind::Boolean;
                value.boolean = true;
                return ParseWord("true");
            case 'f':
                value.kind = JsonValue::Kind::Boolean;
                return ParseWord("false");
            case 'n':
                return ParseWord("null");
            default:
                if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) return ParseNumber(value);
                if (AtEnd()) return Fail("the JSON text ends where a value should be");
                return Fail("expected a JSON value");
        }
    }

    bool ParseWord(std::string_view word) {
        if (text_.substr(position_, word.size()) != word) return Fail("expected a JSON value");
        for (std::size_t i = 0; i < word.size(); ++i)
            Advance();
        return true;
    }

    bool ParseDigits() {
        if (!(Peek() >= '0' && Peek() <= '9')) return Fail("expected a digit");
        while (Peek() >= '0' && Peek() <= '9')
            Advance();
        return true;
    }

    bool ParseNumber(JsonValue& value) {
        value.kind = JsonValue::Kind::Number;
        const std::size_t start = position_;
        bool integral = true;
        if (Peek() == '-') Advance();
        if (Peek() == '0') {
            Advance();
            if (Peek() >= '0' && Peek() <= '9') return Fail("numbers do not start with 0");
        } else if (!ParseDigits()) {
            return false;
        }
        if (Peek() == '.') {
            integral = false;
            Advance();
            if (!ParseDigits()) return false;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            integral = false;
            Advance();
            if (Peek() == '+' || Peek() == '-') Advance();
            if (!ParseDigits()) return false;
        }
        value.text = std::string(text_.substr(start, position_ - start));
        std::int64_t number = 0;
        const char* end = value.text.data() + value.text.size();
        if (integral) {
            const auto [ptr, error] = std::from_chars(value.text.data(), end, number);
            if (ptr == end && error == std::errc()) value.integer = number;
        }
        return true;
    }

    bool ParseHex4(unsigned& code) {
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Peek();
            unsigned digit;
            if (c >= '0' && c <= '9') {
                digit = static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                digit = static_cast<unsigned>(c - 'A' + 10);
            } else {
                return Fail("expected four hexadecimal digits after \\u");
            }
            code = code * 16 + digit;
            Advance();
        }
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool ParseEscape(std::string& out) {
        const char c = Peek();
        if (AtEnd()) return Fail("the JSON text ends inside a string");
        Advance();
        switch (c) {
            case '"':
                out += '"';
                return true;
            case '\\':
                out += '\\';
                return true;
            case '/':
                out += '/';
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                break;
            default:
                return Fail("unknown escape in a string");
        }
        unsigned code;
        if (!ParseHex4(code)) return false;
        if (code >= 0xDC00 && code <= 0xDFFF) return Fail("a lone low surrogate in a string");
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low;
            if (Peek() != '\\') return Fail("a high surrogate without its low half");
            Advance();
            if (!Expect('u') || !ParseHex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return Fail("a high surrogate without its low half");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    bool ParseString(std::string& out) {
        Advance();  // the opening quote
        while (true) {
            if (AtEnd()) return Fail("the JSON text ends inside a string");
            const char c = Peek();
            if (c == '"') {
                Advance();
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return Fail("a control character in a string");
            Advance();
            if (c != '\\') {
                out += c;
            } else if (!ParseEscape(out)) {
                return false;
            }
        }
    }

    bool ParseArray(JsonValue& value, int depth) {
        if (depth > kMaxDepth) return Fail("arrays and objects nest too deep");
        value.kind = JsonValue::Kind::Array;
        Advance();
        SkipWhiteSpace();
        if (Peek() == ']') {
            Advance();
            return true;
        }
        while (true) {
            SkipWhiteSpace();
            JsonValue& item = value.items.emplace_back();
            if (!ParseValue(item, depth)) return false;
            SkipWhiteSpace();
            if (Peek() == ']') {
                Advance();
                return true;
            }
            if (Peek() != ',') return Fail("expected ',' or ']'");
            Advance();
        }
    }

    bool ParseObject(JsonValue& value, int depth) {
        if (depth > kMaxDepth) return Fail("arrays and objects nest too deep");
        value.kind = JsonValue::Kind::Object;
        Advance();
        SkipWhiteSpace();
        if (Peek() == '}') {
            Advance();
            return true;
        }
        while (true) {
            SkipWhiteSpace();
            if (Peek() != '"') return Fail("expected a key in quotes");
            auto& [key, member] = value.members.emplace_back();
            if (!ParseString(key)) return false;
            SkipWhiteSpace();
            if (!Expect(':')) return false;
            SkipWhiteSpace();
            if (!ParseValue(member, depth)) return false;
            SkipWhiteSpace();
            if (Peek() == '}') {
                Advance();
                return true;
            }
            if (Peek() != ',') return Fail("expected ',' or '}'");
            Advance();
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 1;
    int column_ = 1;
    JsonError error_;
};

}  // namespace

std::variant<JsonValue, JsonError> ParseJson(std::string_view text) {
    return JsonParser(text).ParseDocument();
}

std::string_view DescribeJsonKind(JsonValue::Kind kind) {
    switch (kind) {
        case JsonValue::Kind::Null:
            return "null";
        case JsonValue::Kind::Boolean:
            return "a boolean";
        case JsonValue::Kind::Number:
            return "a number";
        case JsonValue::Kind::String:
            return "a string";
        case JsonValue::Kind::Array:
            return "an array";
        case JsonValue::Kind::Object:
            return "an object";
    }
    return "a value";
}

}  // namespace tovek
