#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovek {

// The code point that starts at text[pos]; pos moves past it. A byte that
// does not start a well-formed sequence (stray continuation, overlong form,
// surrogate, beyond U+10FFFF, cut short) reads as U+FFFD and is skipped alone.
// Precondition: pos < text.size().
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of `codePoint` (at most U+10FFFF, no surrogate).
void AppendCodePoint(std::string& text, char32_t codePoint);

}  // namespace tovek
