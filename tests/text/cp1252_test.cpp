#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace brendax {
namespace {

TEST(Cp1252Test, MapsGermanAndSpecialCharacters) {
  EXPECT_EQ(Ansi("ÄÖÜäöüß"), std::string("\xC4\xD6\xDC\xE4\xF6\xFC\xDF", 7));
  EXPECT_EQ(Ansi("€"), std::string(1, '\x80'));
  EXPECT_EQ(Ansi("„…“"), std::string("\x84\x85\x93", 3));
  EXPECT_EQ(Cp1252ToUtf8(Ansi("Schrittübergänge €")), "Schrittübergänge €");
}

TEST(Cp1252Test, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Ansi("a中b"), "a?b");
  EXPECT_EQ(Ansi("a😀b"), "a?b");
  EXPECT_EQ(Ansi("Ω"), "?");
  EXPECT_EQ(Utf8ToCp1252(std::string("a\xC3", 2)), "a?");       // cut sequence
  EXPECT_EQ(Utf8ToCp1252(std::string("\xC3(", 2)), "?(");       // bad continuation, next byte kept
  EXPECT_EQ(Utf8ToCp1252(std::string("\xFF\xFE", 2)), "??");    // no lead byte
  EXPECT_EQ(Utf8ToCp1252(std::string("x\x80y", 3)), "x?y");     // stray continuation
}

TEST(Cp1252Test, EveryByteSurvivesRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8(std::string(1, '\x81')), "\xC2\x81");
}

}  // namespace
}  // namespace brendax
