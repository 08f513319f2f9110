#include <gtest/gtest.h>

#include "editor/core/number_text.h"

namespace quorle {
namespace {

TEST(ParseClamped, TakesPlainIntegersAndClampsThem) {
    EXPECT_EQ(ParseClamped("42", 1, 100, 3), 42);
    EXPECT_EQ(ParseClamped("150", 1, 100, 3), 100);
    EXPECT_EQ(ParseClamped("0", 1, 100, 3), 1);
    EXPECT_EQ(ParseClamped("-5", 1, 100, 3), 1);
    EXPECT_EQ(ParseClamped("-5", -10, 100, 3), -5);
}

TEST(ParseClamped, AnyOtherTextGivesTheFallback) {
    for (const char* text :
         {"x", "7.0", "07", "12abc", " 12", "12 ", "+12", "", "-", "-0", "-07", "1e2", "０"}) {
        EXPECT_EQ(ParseClamped(text, 1, 100, 3), 3) << text;
    }
}

TEST(ParseClamped, IntegersBeyondSixteenBitsAreClampedLikeAnyOther) {
    EXPECT_EQ(ParseClamped("99999", 1, 100, 3), 100);
    EXPECT_EQ(ParseClamped("-99999", 1, 100, 3), 1);
    EXPECT_EQ(ParseClamped("123456789012345678901234567890", 1, 100, 3), 100);
    EXPECT_EQ(ParseClamped("-123456789012345678901234567890", 1, 100, 3), 1);
}

TEST(ParseClamped, TheFallbackIsClampedToo) {
    EXPECT_EQ(ParseClamped("x", 1, 100, 0), 1);
}

TEST(ParseSizeNumber, ReadsDecimalNumbersWithSpacesAndSigns) {
    EXPECT_EQ(ParseSizeNumber("48"), 48);
    EXPECT_EQ(ParseSizeNumber("  48 "), 48);
    EXPECT_EQ(ParseSizeNumber("+20"), 20);
    EXPECT_EQ(ParseSizeNumber("-20"), -20);
    EXPECT_EQ(ParseSizeNumber("048"), 48);
    EXPECT_EQ(ParseSizeNumber("12."), 12);
    EXPECT_EQ(ParseSizeNumber(".7"), 1);
}

TEST(ParseSizeNumber, RoundsFractionsHalfToEven) {
    EXPECT_EQ(ParseSizeNumber("12.5"), 12);
    EXPECT_EQ(ParseSizeNumber("13.5"), 14);
    EXPECT_EQ(ParseSizeNumber("12.50001"), 13);
    EXPECT_EQ(ParseSizeNumber("12.4999"), 12);
    EXPECT_EQ(ParseSizeNumber("-12.5"), -12);
    EXPECT_EQ(ParseSizeNumber("-13.5"), -14);
    EXPECT_EQ(ParseSizeNumber("0.5"), 0);
}

TEST(ParseSizeNumber, RefusesTextThatIsNoNumberOrDoesNotFitSixteenBits) {
    for (const char* text : {"", " ", "abc", "12abc", "1 2", ".", "+", "--1", "1.2.3", "1e2",
                             "32768", "-32769", "32767.5", "99999999999999999999"}) {
        EXPECT_FALSE(ParseSizeNumber(text).has_value()) << text;
    }
    EXPECT_EQ(ParseSizeNumber("32767"), 32767);
    EXPECT_EQ(ParseSizeNumber("-32768"), -32768);
    EXPECT_EQ(ParseSizeNumber("32766.5"), 32766);
}

TEST(MinOf, GivesTheSmaller) {
    EXPECT_EQ(MinOf(3, 7), 3);
    EXPECT_EQ(MinOf(7, 3), 3);
    EXPECT_EQ(MinOf(-1, 0), -1);
}

}  // namespace
}  // namespace quorle
