#pragma once

#include <charconv>
#include <string>

namespace tovek {

// A whole decimal number filling the whole text, within Integer's range.
template <typename Integer>
bool ParseInteger(const std::string& text, Integer& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

}  // namespace tovek
