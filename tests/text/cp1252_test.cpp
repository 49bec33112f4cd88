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

TEST(Cp1252Test, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(Ansi("a中b"), "a?b");
  EXPECT_EQ(Ansi("a😀b"), "a?b");
  EXPECT_EQ(Ansi("Ω"), "?");
}

// Every ill-formed unit becomes one "?"; a unit is the longest start of a
// well-formed sequence, so the byte that breaks it is read anew.
TEST(Cp1252Test, IllFormedUtf8BecomesOneQuestionMarkPerUnit) {
  struct Case {
    const char* what;
    std::string in;
    std::string out;
  };
  const Case cases[] = {
      {"cut at the end", std::string("a\xC3", 2), "a?"},
      {"cut three-byte sequence", "\xE2\x82", "?"},
      {"cut four-byte sequence before text",
       "\xF0\x9F\x98"
       "A",
       "?A"},
      {"bad continuation keeps the next byte", "\xC3(", "?("},
      {"no lead byte", "\xFF\xFE", "??"},
      {"stray continuation", "x\x80y", "x?y"},
      {"overlong NUL", std::string("\xC0\x80", 2), "??"},
      {"overlong A", "\xC1\x81uto", "??uto"},
      {"overlong three bytes", "\xE0\x80\xAF", "???"},
      {"overlong four bytes", "\xF0\x80\x80\xAF", "????"},
      {"surrogate", "\xED\xA0\x80", "???"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"lead byte F5", "\xF5\x80\x80\x80", "????"},
      {"largest two-byte form", "\xDF\xBF", "?"},  // U+07FF, not in Windows-1252
      {"smallest three-byte form", "\xE0\xA0\x80", "?"},
      {"last before surrogates", "\xED\x9F\xBF", "?"},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", "?"},
      {"euro sign", "\xE2\x82\xAC", "\x80"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1252(c.in), c.out) << c.what;
  // The well-formed ones are whole units; the ill-formed ones are not.
  EXPECT_TRUE(NextUtf8Unit("\xF4\x8F\xBF\xBF", 0).valid);
  EXPECT_EQ(NextUtf8Unit("\xF4\x8F\xBF\xBF", 0).codePoint, U'\U0010FFFF');
  EXPECT_FALSE(NextUtf8Unit("\xED\xA0\x80", 0).valid);
}

TEST(Cp1252Test, EveryByteSurvivesRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8(std::string(1, '\x81')), "\xC2\x81");
}

// Text shown in a message stays on its line: controls and bytes that are no
// UTF-8 become escapes; characters, umlauts included, stay.
TEST(Cp1252Test, EscapedForAMessage) {
  struct Case {
    std::string in;
    bool utf8;
    bool keepTabs;
    std::string out;
  } cases[] = {
      {"A\r\nB\tC\x1B[2J", true, false, "A\\r\\nB\\tC\\x1B[2J"},
      {std::string("x\0y\x7F", 4), true, false, "x\\x00y\\x7F"},
      {"K\xC3\xBChler \xFF\xC3", true, false, "K\xC3\xBChler \\xFF\\xC3"},
      {"\xC2\x9B"
       "1m",
       true, false, "\\xC2\\x9B1m"},  // a C1 control in UTF-8
      {"K\xFChler\t\x80", false, false, "K\xFChler\\t\x80"},
      {"Zelle\tZelle\r", true, true, "Zelle\tZelle\\r"},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapedForMessage(c.in, c.utf8, c.keepTabs), c.out) << c.in;
  EXPECT_EQ(TextFileToCp1252("\xEF\xBB\xBFK\xC3\xBChl"), "K\xFChl");
  EXPECT_EQ(TextFileToCp1252("K\xFChl"), "K\xFChl");
}

}  // namespace
}  // namespace brendax
