#include "common/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tovek {
namespace {

std::vector<char32_t> Decode(std::string_view text) {
    std::vector<char32_t> result;
    for (std::size_t pos = 0; pos < text.size();) {
        result.push_back(NextCodePoint(text, pos));
    }
    return result;
}

TEST(Utf8, DecodesOneToFourByteSequences) {
    EXPECT_EQ(Decode("A"), std::vector<char32_t>{U'A'});
    EXPECT_EQ(Decode("\xC3\xA9"), std::vector<char32_t>{U'\u00E9'});
    EXPECT_EQ(Decode("ステージ"), (std::vector<char32_t>{U'ス', U'テ', U'ー', U'ジ'}));
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), std::vector<char32_t>{U'\U0001F600'});
    EXPECT_EQ(Decode("a←b"), (std::vector<char32_t>{U'a', U'←', U'b'}));
}

TEST(Utf8, EachMalformedByteReadsAsOneReplacementCharacter) {
    const char32_t r = 0xFFFD;
    EXPECT_EQ(Decode("\x80"), std::vector<char32_t>{r});                  // stray continuation
    EXPECT_EQ(Decode("\xC0\xAF"), (std::vector<char32_t>{r, r}));         // overlong '/'
    EXPECT_EQ(Decode("\xED\xA0\x80"), (std::vector<char32_t>{r, r, r}));  // surrogate
    EXPECT_EQ(Decode("\xF4\x90\x80\x80"), (std::vector<char32_t>{r, r, r, r}));  // > U+10FFFF
    EXPECT_EQ(Decode("\xE3\x81"), (std::vector<char32_t>{r, r}));                // cut short
    EXPECT_EQ(Decode("\xFFz"), (std::vector<char32_t>{r, U'z'}));
    EXPECT_EQ(Decode("\xE3z\x81"), (std::vector<char32_t>{r, U'z', r}));
}

TEST(Utf8, EveryByteStringDecodesWithinItsLength) {
    // All two-byte strings: the position always advances and stays in range.
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string text{static_cast<char>(a), static_cast<char>(b)};
            std::size_t pos = 0;
            int steps = 0;
            while (pos < text.size()) {
                const std::size_t before = pos;
                NextCodePoint(text, pos);
                ASSERT_GT(pos, before);
                ++steps;
            }
            ASSERT_EQ(pos, 2u);
            ASSERT_LE(steps, 2);
        }
    }
}

TEST(Utf8, EveryCodePointAppendedDecodesBackInItsShortestForm) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        std::string text;
        AppendCodePoint(text, c);
        const std::size_t expectedLength = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        const auto value = static_cast<std::uint32_t>(c);
        ASSERT_EQ(text.size(), expectedLength) << std::hex << value;
        std::size_t pos = 0;
        ASSERT_EQ(static_cast<std::uint32_t>(NextCodePoint(text, pos)), value) << std::hex << value;
    }
}

}  // namespace
}  // namespace tovek
