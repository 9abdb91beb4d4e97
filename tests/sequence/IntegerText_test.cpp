#include "sequence/IntegerText.h"

#include <gtest/gtest.h>

namespace sequara {
namespace {

TEST(ParseInteger, DecimalAndHexadecimalForms) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger("  -7"), -7);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("$FF"), 255);
    EXPECT_EQ(ParseInteger("0x10"), 16);
    EXPECT_EQ(ParseInteger("x1f"), 31);
    EXPECT_EQ(ParseInteger("X1F"), 31);
    EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("   "));
    EXPECT_FALSE(ParseInteger("-"));
    EXPECT_FALSE(ParseInteger("4 "));
    EXPECT_FALSE(ParseInteger("4a"));
    EXPECT_FALSE(ParseInteger("2147483648"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));
    EXPECT_FALSE(ParseInteger("$"));
}

TEST(IsIntegerText, AcceptsSignsAndHexPrefixesOnly) {
    for (const char* yes : {"0", "  42", "-7", "+7", "$1F", "0x1f", "x1F", "X1f", "-$10", "2147483647"})
        EXPECT_TRUE(IsIntegerText(yes)) << yes;
    for (const char* no : {"", " ", "4 ", "4x", "1.5", "0x", "$", "--1", "2147483648", "- 1"})
        EXPECT_FALSE(IsIntegerText(no)) << no;
}

}  // namespace
}  // namespace sequara
