#include "common/text_encoding.h"

#include <iconv.h>

#include <cerrno>

#include "common/utf8.h"

namespace tovek {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Length of the UTF-8 sequence starting at text[i], or 0 when it is invalid.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    // Sequence length, smallest value it may carry, and the value bits of the lead byte.
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        value = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        value = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0u) != 0x80u) return 0;
        value = (value << 6) | (byte(i + k) & 0x3Fu);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string ShiftJisToUtf8(std::string_view text) {
    std::string result;
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // Without the converter only the ASCII part can be trusted.
        for (char c : text) {
            if (static_cast<unsigned char>(c) < 0x80) {
                result += c;
            } else {
                result += kReplacementCharacter;
            }
        }
        return result;
    }
    char* input = const_cast<char*>(text.data());  // iconv's interface is not const-correct
    std::size_t inputLeft = text.size();
    char buffer[256];
    while (inputLeft > 0) {
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t converted = iconv(converter, &input, &inputLeft, &output, &outputLeft);
        result.append(buffer, static_cast<std::size_t>(output - buffer));
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or incomplete sequence: replace one byte and go on.
            result += kReplacementCharacter;
            ++input;
            --inputLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(converter);
    return result;
}

std::string TextToUtf8(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    return ShiftJisToUtf8(text);
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string FirstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < utf8.size() && characters < count; ++characters) {
        const std::size_t length = Utf8SequenceLength(utf8, end);
        end += length == 0 ? 1 : length;
    }
    return std::string(utf8.substr(0, end));
}

std::string QuotedForMessage(std::string_view text, std::size_t maxCharacters) {
    std::string quoted = "\"";
    std::size_t characters = 0;
    std::size_t pos = 0;
    const auto escape = [&](unsigned char byte) {
        constexpr char kDigits[] = "0123456789abcdef";
        quoted += "\\x";
        quoted += kDigits[byte >> 4];
        quoted += kDigits[byte & 15];
    };
    for (; pos < text.size() && characters < maxCharacters; ++characters) {
        const std::size_t start = pos;
        const char32_t code = NextCodePoint(text, pos);
        const auto first = static_cast<unsigned char>(text[start]);
        if (code < 0x20 || code == 0x7F || (first >= 0x80 && pos - start == 1)) {
            escape(first);
        } else {
            if (code == '"' || code == '\\') quoted += '\\';
            quoted.append(text.substr(start, pos - start));
        }
    }
    quoted += '"';
    if (pos < text.size()) quoted += "...";
    return quoted;
}

}  // namespace tovek
