#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

TEST(IsValidUtf8, AcceptsWellFormedText) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("Tovek"));
    EXPECT_TRUE(IsValidUtf8("\xE3\x83\x86"));      // テ
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));  // a four-byte character
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
}

TEST(IsValidUtf8, RejectsMalformedText) {
    EXPECT_FALSE(IsValidUtf8("\x83\x65"));          // Shift-JIS テ
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong slash
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE3\x83"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xFF"));
}

TEST(ShiftJisToUtf8, ConvertsKanaKanjiAndHalfWidthKana) {
    EXPECT_EQ(ShiftJisToUtf8("A\x82\xA0\x88\x9F\xB1"), "A\xE3\x81\x82\xE4\xBA\x9C\xEF\xBD\xB1");
}

TEST(ShiftJisToUtf8, KeepsBackslashAndTildeAsTheOriginalPlatformDoes) {
    EXPECT_EQ(ShiftJisToUtf8("a\\b~"), "a\\b~");
}

TEST(ShiftJisToUtf8, ReplacesBytesThatAreNotShiftJis) {
    EXPECT_EQ(ShiftJisToUtf8("a\x81"), "a\xEF\xBF\xBD");  // lead byte at the end
    EXPECT_EQ(ShiftJisToUtf8("\xFF"
                             "b"),
              "\xEF\xBF\xBD"
              "b");  // never a lead byte
    EXPECT_TRUE(IsValidUtf8(ShiftJisToUtf8("\x81\x20\xA0\xFD\xFE\x80")));
}

TEST(TextToUtf8, KeepsUtf8AndConvertsTheRest) {
    EXPECT_EQ(TextToUtf8("\xE3\x81\x82"), "\xE3\x81\x82");
    EXPECT_EQ(TextToUtf8("\x82\xA0"), "\xE3\x81\x82");
}

TEST(FirstCharacters, CountsCharactersNotBytes) {
    EXPECT_EQ(FirstCharacters("\xE3\x81\x82\xE3\x81\x84z", 2), "\xE3\x81\x82\xE3\x81\x84");
    EXPECT_EQ(FirstCharacters("abc", 5), "abc");
    EXPECT_EQ(FirstCharacters("abc", 0), "");
}

TEST(QuotedForMessage, EscapesWhatATerminalWouldActOnAndCutsLongText) {
    EXPECT_EQ(QuotedForMessage("1 down Left", 80), "\"1 down Left\"");
    EXPECT_EQ(QuotedForMessage(std::string_view("a\x1b[0m\0\t\"\\b", 10), 80),
              "\"a\\x1b[0m\\x00\\x09\\\"\\\\b\"");
    EXPECT_EQ(QuotedForMessage("ステージ\xFFx", 80), "\"ステージ\\xffx\"");
    EXPECT_EQ(QuotedForMessage("ステージ12345", 6), "\"ステージ12\"...");
    EXPECT_EQ(QuotedForMessage("\x7f", 80), "\"\\x7f\"");
}

TEST(EqualIgnoringAsciiCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(EqualIgnoringAsciiCase("Customize", "cUSTOMIZE"));
    EXPECT_TRUE(EqualIgnoringAsciiCase("M01.DAT", "m01.dat"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("m01.dat", "m01.da"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("[", "{"));  // 0x5B and 0x7B differ by the case bit
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC3\xA9", "\xC3\x89"));  // é and É stay apart
}

}  // namespace
}  // namespace tovek
