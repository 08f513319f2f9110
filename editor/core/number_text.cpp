#include "editor/core/number_text.h"

#include <algorithm>

namespace quorle {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// Magnitude of a digit string, saturating far beyond the 16-bit range so that
// any length of digits is safe.
long long SaturatedValue(std::string_view digits) {
    constexpr long long kCeiling = 1'000'000;
    long long value = 0;
    for (char c : digits)
        value = std::min(value * 10 + (c - '0'), kCeiling);
    return value;
}

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Whether a fraction's digits call for rounding the integer part up, halves
// going to the even neighbour.
bool RoundsUp(std::string_view fraction, long long integerPart) {
    if (fraction.empty() || fraction[0] < '5') return false;
    if (fraction[0] > '5') return true;
    const bool exactHalf = fraction.find_first_not_of('0', 1) == std::string_view::npos;
    return !exactHalf || integerPart % 2 == 1;
}

}  // namespace

std::string JoinText(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces)
        text += piece;
    return text;
}

std::int16_t ParseClamped(std::string_view text, int minimum, int maximum, int fallback) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    const bool plain = !digits.empty() && AllDigits(digits) &&
                       (digits[0] != '0' || (digits.size() == 1 && !negative));
    long long value = fallback;
    if (plain) {
        const long long magnitude = SaturatedValue(digits);
        value = negative ? -magnitude : magnitude;
    }
    value = std::min<long long>(std::max<long long>(value, minimum), maximum);
    return static_cast<std::int16_t>(value);
}

std::optional<std::int16_t> ParseSizeNumber(std::string_view text) {
    std::string_view rest = TrimSpaces(text);
    bool negative = false;
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    const auto point = rest.find('.');
    const std::string_view integerDigits = rest.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : rest.substr(point + 1);
    if (integerDigits.empty() && fraction.empty()) return std::nullopt;
    if (!AllDigits(integerDigits) || !AllDigits(fraction)) return std::nullopt;

    long long magnitude = SaturatedValue(integerDigits);
    if (RoundsUp(fraction, magnitude)) ++magnitude;
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace quorle
