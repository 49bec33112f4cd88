#include "text/integer_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace brendax {
namespace {

TEST(ParseInt32Test, DecimalWithSignAndLeadingBlanks) {
  EXPECT_EQ(ParseInt32("0"), 0);
  EXPECT_EQ(ParseInt32("42"), 42);
  EXPECT_EQ(ParseInt32("+42"), 42);
  EXPECT_EQ(ParseInt32("-42"), -42);
  EXPECT_EQ(ParseInt32("   -42"), -42);
  EXPECT_EQ(ParseInt32("007"), 7);
  EXPECT_EQ(ParseInt32("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
}

TEST(ParseInt32Test, RefusesMalformedText) {
  for (const char* bad : {"",   " ",   "-",   "+",   "$",   "x",  "0x",   "0X",  "- 5",   "5 ",
                          "5x", "1.0", "1,0", "\t5", "++5", "$G", "0x-5", "$ 5", "0b101", "12a"})
    EXPECT_FALSE(ParseInt32(bad).has_value()) << '"' << bad << '"';
}

TEST(ParseInt32Test, RefusesDecimalOverflow) {
  EXPECT_FALSE(ParseInt32("2147483648").has_value());
  EXPECT_FALSE(ParseInt32("-2147483649").has_value());
  EXPECT_FALSE(ParseInt32("99999999999999999999999").has_value());
}

TEST(ParseInt32Test, HexPrefixesAndCases) {
  EXPECT_EQ(ParseInt32("$1F"), 31);
  EXPECT_EQ(ParseInt32("x1f"), 31);
  EXPECT_EQ(ParseInt32("X1F"), 31);
  EXPECT_EQ(ParseInt32("0x1f"), 31);
  EXPECT_EQ(ParseInt32("0X1F"), 31);
  EXPECT_EQ(ParseInt32("  -$10"), -16);
  EXPECT_EQ(ParseInt32("+$10"), 16);
}

TEST(ParseInt32Test, EightHexDigitsAreTwosComplement) {
  EXPECT_EQ(ParseInt32("$7FFFFFFF"), INT32_MAX);
  EXPECT_EQ(ParseInt32("$80000000"), INT32_MIN);
  EXPECT_EQ(ParseInt32("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInt32("-$FFFFFFFF"), 1);
  EXPECT_EQ(ParseInt32("-$80000000"), INT32_MIN);
  EXPECT_EQ(ParseInt32("$000000001"), 1);  // leading zeros do not count
  EXPECT_EQ(ParseInt32("0x0000000000FFFFFFFF"), -1);
  EXPECT_FALSE(ParseInt32("$100000000").has_value());
  EXPECT_FALSE(ParseInt32("$FFFFFFFFF").has_value());
}

TEST(ParseInt64Test, WideRange) {
  EXPECT_EQ(ParseInt64("2147483648"), 2147483648LL);
  EXPECT_EQ(ParseInt64("$80000000"), 2147483648LL);
  EXPECT_EQ(ParseInt64("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_FALSE(ParseInt64("9223372036854775808").has_value());
  EXPECT_FALSE(ParseInt64("-9223372036854775809").has_value());
  EXPECT_EQ(ParseInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(ParseInt64("-$FFFFFFFFFFFFFFFF"), 1);
  EXPECT_EQ(ParseInt64("$8000000000000000"), INT64_MIN);
  EXPECT_FALSE(ParseInt64("$10000000000000000").has_value());
  EXPECT_FALSE(ParseInt64("12 ").has_value());
}

}  // namespace
}  // namespace brendax
