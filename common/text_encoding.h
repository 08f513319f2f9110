#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovek {

// Strict UTF-8: no overlong forms, surrogates or values above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Shift-JIS as the original platform writes it (code page 932) to UTF-8;
// a byte sequence that is not Shift-JIS becomes U+FFFD.
std::string ShiftJisToUtf8(std::string_view text);

// `text` as UTF-8: kept when it is valid UTF-8, otherwise read as Shift-JIS.
std::string TextToUtf8(std::string_view text);

// Equal when the texts differ at most in the case of ASCII letters, as names
// of files and settings compare on the original platform.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// `text` in double quotes for a one-line message: at most `maxCharacters`
// characters (then "..." after the closing quote); control bytes and bytes
// that are not UTF-8 as \xNN, a quote or backslash preceded by a backslash.
std::string QuotedForMessage(std::string_view text, std::size_t maxCharacters);

// The first `count` characters of valid UTF-8 text.
std::string FirstCharacters(std::string_view utf8, std::size_t count);

}  // namespace tovek
