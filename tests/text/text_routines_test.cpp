#include "text/text_routines.h"

#include <gtest/gtest.h>

#include "text/cp1252.h"

namespace brendax {
namespace {

TEST(TrimTest, RemovesOnlyOuterBlanks) {
  EXPECT_EQ(TrimSpaces("  FC 10  "), "FC 10");
  EXPECT_EQ(TrimSpaces("     "), "");
  EXPECT_EQ(TrimSpaces(""), "");
  EXPECT_EQ(TrimSpaces("\tA\t"), "\tA\t");  // only the blank counts as space
  EXPECT_EQ(TrimLeadingSpaces("  a b  "), "a b  ");
  EXPECT_EQ(TrimTrailingSpaces("  a b  "), "  a b");
}

TEST(IdentifierTest, RejectsWhatTheCompilerRefuses) {
  EXPECT_TRUE(InvalidIdentifier(std::string(25, 'a')));
  EXPECT_TRUE(InvalidIdentifier(""));
  EXPECT_TRUE(InvalidIdentifier("Motor__1"));
  EXPECT_TRUE(InvalidIdentifier("1Motor"));
  EXPECT_TRUE(InvalidIdentifier(Ansi("Förderband")));
  EXPECT_TRUE(InvalidIdentifier("Motor 1"));
  for (const char* bad : {"A[", "A\\", "A]", "A^", "A`", "A-", "A{"}) EXPECT_TRUE(InvalidIdentifier(bad)) << bad;
}

TEST(IdentifierTest, AcceptsLettersDigitsAndSingleUnderscores) {
  EXPECT_FALSE(InvalidIdentifier(std::string(24, 'a')));
  EXPECT_FALSE(InvalidIdentifier("_Start"));
  EXPECT_FALSE(InvalidIdentifier("Ende_"));
  EXPECT_FALSE(InvalidIdentifier("Motor_1"));
  EXPECT_FALSE(InvalidIdentifier("zZ09"));
}

TEST(SymbolLengthTest, TwentyFourIsStillAccepted) {
  EXPECT_FALSE(SymbolTooLong(std::string(24, 'x')));
  EXPECT_TRUE(SymbolTooLong(std::string(25, 'x')));
}

TEST(PaddingTest, CentresWithExtraBlankOnTheRight) {
  EXPECT_EQ(CenterPad("ab", 5), " ab  ");
  EXPECT_EQ(CenterPad("ab", 6), "  ab  ");
  EXPECT_EQ(CenterPad("", 3), "   ");
  EXPECT_EQ(CenterPad("abcde", 5), "abcde");
  EXPECT_EQ(CenterPad("abcdef", 5), "abcdef");
  EXPECT_EQ(CenterPad("ab", -4), "ab");
}

TEST(PaddingTest, RightPadNeverCuts) {
  EXPECT_EQ(RightPad("ab", 5), "ab   ");
  EXPECT_EQ(RightPad("abcde", 5), "abcde");
  EXPECT_EQ(RightPad("abcdef", 5), "abcdef");
  EXPECT_EQ(RightPad("ab", -1), "ab");
}

TEST(StepLabelTest, PadsToFourCharacters) {
  EXPECT_EQ(StepLabel("S", 7), "S007");
  EXPECT_EQ(StepLabel("S", 10), "S010");
  EXPECT_EQ(StepLabel("S", 999), "S999");
  EXPECT_EQ(StepLabel("S", 1000), "????");
  EXPECT_EQ(StepLabel("In", 5), "In05");
  EXPECT_EQ(StepLabel("In", 55), "In55");
  EXPECT_EQ(StepLabel("In", 100), "????");
  EXPECT_EQ(StepLabel("Abc", 5), "Abc5");
  EXPECT_EQ(StepLabel("Abc", 10), "????");
  EXPECT_EQ(StepLabel("Abcd", 1), "????");
  EXPECT_EQ(StepLabel("", 5), "????");
  EXPECT_EQ(StepLabel("S", 0), "S000");
}

TEST(ThreeDigitTest, ZeroFillsInRange) {
  EXPECT_EQ(ThreeDigitNumber(7), "007");
  EXPECT_EQ(ThreeDigitNumber(42), "042");
  EXPECT_EQ(ThreeDigitNumber(511), "511");
  EXPECT_EQ(ThreeDigitNumber(1000), "000");
  EXPECT_EQ(ThreeDigitNumber(-1), "000");
}

}  // namespace
}  // namespace brendax
