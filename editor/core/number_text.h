#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorle {

// The stage boxes' reading of a number: `text` must be the plain decimal form
// of an integer (optional minus, digits, no leading zero, nothing else) or the
// fallback is returned. The value is then brought into minimum..maximum; an
// integer too long for 16 bits is brought there like any other.
std::int16_t ParseClamped(std::string_view text, int minimum, int maximum, int fallback);

// The size boxes' reading of a number: surrounding spaces, a sign and a
// decimal fraction are allowed, the fraction rounded half to even. Empty when
// the text is no such number or its value does not fit 16 bits.
std::optional<std::int16_t> ParseSizeNumber(std::string_view text);

// The smaller of two sizes.
inline int MinOf(int a, int b) {
    return a < b ? a : b;
}

// Decimal text of a number, as every label and box shows it.
inline std::string DecimalText(int value) {
    return std::to_string(value);
}

// The pieces of a shown text, one after another. (Built by appending: GCC 12
// warns falsely about chains of literal + temporary string.)
std::string JoinText(std::initializer_list<std::string_view> pieces);

}  // namespace quorle
