#include "stepseq/simple_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/cp1252.h"

namespace brendax {
namespace {

GeneratorResult Generate(SimpleStepParams params, bool english = false) {
  TrimSimpleFields(params);
  return GenerateSimpleStep(params, MnemonicsFor(english));
}

// Index of the first line equal to `line` at or after `from`; -1 when absent.
int Find(const std::vector<std::string>& lines, const std::string& line, int from = 0) {
  const auto it = std::find(lines.begin() + from, lines.end(), line);
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

int CountOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

// The value line that follows a banner title such as "//    FC-Nummer:".
std::string BannerValue(const std::vector<std::string>& lines, const std::string& titleStart) {
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].starts_with(titleStart)) return lines[i + 1];
  return "<missing>";
}

std::string Value(const std::string& text) {
  std::string line = "//           " + text;
  if (line.size() < 55) line.append(55 - line.size(), ' ');
  return line + "#";
}

// ---------------------------------------------------------------- checks

struct BadValue {
  const char* what;
  void (*apply)(SimpleStepParams&);
  int code;
  const char* message;  // UTF-8
};

const char* const kName = "\"FC- Name\" ist ungültig !";
const char* const kNumber = "\"FC- Nummer\" ist ungültig !";
const char* const kFirst = "Erste Schrittnr. ist ungültig !";
const char* const kDistance = "Schrittabstand ist ungültig !";
const char* const kCount = "Schrittanzahl ist ungültig !";
const char* const kLast = "Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!";
const char* const kRel1 = "\"In-Variable Freigabe 1\" ist ungültig !";
const char* const kRel2 = "\"In-Variable Freigabe 2\" ist ungültig !";
const char* const kRel3 = "\"In-Variable Freigabe 3\" ist ungültig !";
const char* const kRel4 = "\"In-Variable Freigabe 4\" ist ungültig !";

const BadValue kBadValues[] = {
    {"name25", [](SimpleStepParams& p) { p.fcName = std::string(25, 'F'); }, 5, kName},
    {"nameEmpty", [](SimpleStepParams& p) { p.fcName = ""; }, 5, kName},
    {"nameWithDoubleQuote", [](SimpleStepParams& p) { p.fcName = "FC\"1"; }, 5, kName},
    {"numberText", [](SimpleStepParams& p) { p.fcNumber = "abc"; }, 20, kNumber},
    {"numberTrailingText", [](SimpleStepParams& p) { p.fcNumber = "80a"; }, 20, kNumber},
    {"numberEmpty", [](SimpleStepParams& p) { p.fcNumber = ""; }, 20, kNumber},
    {"number65536", [](SimpleStepParams& p) { p.fcNumber = "65536"; }, 21, kNumber},
    {"numberNegative", [](SimpleStepParams& p) { p.fcNumber = "-1"; }, 21, kNumber},
    {"firstText", [](SimpleStepParams& p) { p.firstStep = "eins"; }, 30, kFirst},
    {"first99", [](SimpleStepParams& p) { p.firstStep = "99"; }, 31, kFirst},
    {"firstNegative", [](SimpleStepParams& p) { p.firstStep = "-1"; }, 31, kFirst},
    {"distanceEmpty", [](SimpleStepParams& p) { p.distance = ""; }, 32, kDistance},
    {"distance0", [](SimpleStepParams& p) { p.distance = "0"; }, 33, kDistance},
    {"distance50001", [](SimpleStepParams& p) { p.distance = "50001"; }, 33, kDistance},
    {"countText", [](SimpleStepParams& p) { p.count = Ansi("zwölf"); }, 34, kCount},
    {"countTooBigFor32Bit", [](SimpleStepParams& p) { p.count = "2147483648"; }, 34, kCount},
    {"count0", [](SimpleStepParams& p) { p.count = "0"; }, 34, kCount},
    {"countNegative", [](SimpleStepParams& p) { p.count = "-3"; }, 34, kCount},
    {"jumpList256",
     [](SimpleStepParams& p) {
       ApplyJumpListStructure(p);
       p.count = "256";
     },
     36, kLast},
    {"comparatorLast1000",
     [](SimpleStepParams& p) {
       p.distance = "1";
       p.count = "1001";
     },
     36, kLast},
    {"comparatorFirst98Distance50000",
     [](SimpleStepParams& p) {
       p.firstStep = "98";
       p.distance = "50000";
       p.count = "2";
     },
     36, kLast},
    {"comparatorHugeCount",
     [](SimpleStepParams& p) {
       p.distance = "50000";
       p.count = "2147483647";
     },
     36, kLast},
    {"release1Empty", [](SimpleStepParams& p) { p.release1 = ""; }, 8, kRel1},
    {"release1Digit", [](SimpleStepParams& p) { p.release1 = "1Auto"; }, 8, kRel1},
    {"release2DoubleUnderscore", [](SimpleStepParams& p) { p.release2 = "Frei__gabe"; }, 9, kRel2},
    {"release2Empty", [](SimpleStepParams& p) { p.release2 = ""; }, 9, kRel2},
    {"release2SameAs1", [](SimpleStepParams& p) { p.release2 = "Auto"; }, 10, kRel2},
    {"release3Umlaut", [](SimpleStepParams& p) { p.release3 = Ansi("Stärke"); }, 11, kRel3},
    {"release3SameAs1", [](SimpleStepParams& p) { p.release3 = "Auto"; }, 12, kRel3},
    {"release3SameAs2", [](SimpleStepParams& p) { p.release3 = "Freigabe"; }, 13, kRel3},
    {"release4Blank", [](SimpleStepParams& p) { p.release4 = "a b"; }, 14, kRel4},
    {"release4SameAs1", [](SimpleStepParams& p) { p.release4 = "Auto"; }, 15, kRel4},
    {"release4SameAs2", [](SimpleStepParams& p) { p.release4 = "Freigabe"; }, 16, kRel4},
    {"release4SameAs3",
     [](SimpleStepParams& p) {
       p.release3 = "Start";
       p.release4 = "Start";
     },
     17, kRel4},
};

class SimpleStepCheckTest : public ::testing::TestWithParam<BadValue> {};

TEST_P(SimpleStepCheckTest, RefusesWithCodeAndExactMessageAndWritesNothing) {
  SimpleStepParams params;
  GetParam().apply(params);
  const GeneratorResult result = Generate(params);
  EXPECT_EQ(result.errorCode, GetParam().code);
  EXPECT_EQ(result.errorMessage, Ansi(GetParam().message));
  EXPECT_TRUE(result.symbols.empty());
  EXPECT_TRUE(result.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(ValidationTable, SimpleStepCheckTest, ::testing::ValuesIn(kBadValues),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(SimpleStepCheckOrderTest, FirstFailingGroupDecides) {
  SimpleStepParams p;
  p.fcName = std::string(30, 'x');
  p.fcNumber = "abc";
  p.release1 = "";
  EXPECT_EQ(Generate(p).errorCode, 5);

  p = {};
  p.count = "1001";
  p.distance = "1";
  p.release1 = "";
  EXPECT_EQ(Generate(p).errorCode, 36) << "the last-step bound comes before the release operands";

  p = {};
  p.firstStep = "99";
  p.count = "0";
  EXPECT_EQ(Generate(p).errorCode, 31);
  EXPECT_EQ(ErrorBoxText(Generate(SimpleStepParams{.fcNumber = "65536"})), Ansi("Error: 21 / \"FC- Nummer\" ist ungültig !"));
}

TEST(SimpleStepCheckTest, AcceptsTheBoundaryValues) {
  EXPECT_TRUE(Generate(SimpleStepParams{.fcNumber = "0"}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.fcNumber = "65535"}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.fcName = std::string(24, 'F')}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.fcName = "Meine Kette #1"}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.firstStep = "98", .count = "1"}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.distance = "50000", .count = "1"}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.release1 = "Auto", .release2 = "auto"}).ok());
  EXPECT_TRUE(Generate(SimpleStepParams{.release3 = "_Start", .release4 = "Stop_1"}).ok());
}

TEST(SimpleStepCheckTest, LastStepIsBoundedAt999InBothStructures) {
  // Comparator: 0..999 passes, and its last label is still a real one.
  const auto ok = Generate(SimpleStepParams{.firstStep = "0", .distance = "1", .count = "1000"});
  ASSERT_TRUE(ok.ok());
  EXPECT_NE(Find(ok.lines, "S999: L     999;"), -1);
  EXPECT_EQ(CountOf(ok.lines, "????: L     1000;"), 0);
  EXPECT_TRUE(Generate(SimpleStepParams{.firstStep = "98", .distance = "1", .count = "902"}).ok());
  EXPECT_EQ(Generate(SimpleStepParams{.firstStep = "98", .distance = "1", .count = "903"}).errorCode, 36);
  EXPECT_EQ(Generate(SimpleStepParams{.firstStep = "0", .distance = "500", .count = "3"}).errorCode, 36);

  // Jump list: 255 steps (last 254) pass, 256 do not.
  SimpleStepParams jump;
  ApplyJumpListStructure(jump);
  jump.count = "255";
  const auto list = Generate(jump);
  ASSERT_TRUE(list.ok());
  const int start = Find(list.lines, "      SPL   LSTX;");
  ASSERT_NE(start, -1);
  EXPECT_EQ(list.lines[start + 1], "      SPA   S000;");
  EXPECT_EQ(list.lines[start + 255], "      SPA   S254;");
  EXPECT_EQ(list.lines[start + 256], "LSTX: SPA   S_EX;");
}

// ---------------------------------------------------------------- trimming

TEST(SimpleStepTrimTest, TrimsAllNineFieldsOfOuterBlanksOnly) {
  SimpleStepParams p{.fcNumber = "  80 ",
                     .fcName = " FC 10  ",
                     .firstStep = " 0",
                     .distance = "5 ",
                     .count = "  3  ",
                     .release1 = " Auto",
                     .release2 = "Freigabe ",
                     .release3 = "   ",
                     .release4 = " Stop "};
  TrimSimpleFields(p);
  EXPECT_EQ(p.fcNumber, "80");
  EXPECT_EQ(p.fcName, "FC 10");
  EXPECT_EQ(p.firstStep, "0");
  EXPECT_EQ(p.distance, "5");
  EXPECT_EQ(p.count, "3");
  EXPECT_EQ(p.release1, "Auto");
  EXPECT_EQ(p.release2, "Freigabe");
  EXPECT_EQ(p.release3, "");
  EXPECT_EQ(p.release4, "Stop");

  const auto result = GenerateSimpleStep(p, GermanMnemonics());
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.symbols.at(0), (SymbolRow{"FC 10", "FC 80", "FC 80", "FC 10"}));
  EXPECT_EQ(result.lines.at(0), "FUNCTION \"FC 10\" : VOID");
}

TEST(SimpleStepTrimTest, FieldsStayTrimmedWhenACheckFails) {
  SimpleStepParams p{.fcNumber = " 80 ", .firstStep = "  99  ", .release1 = "  Auto  "};
  TrimSimpleFields(p);
  EXPECT_EQ(GenerateSimpleStep(p, GermanMnemonics()).errorCode, 31);
  EXPECT_EQ(p.fcNumber, "80");
  EXPECT_EQ(p.firstStep, "99");
  EXPECT_EQ(p.release1, "Auto");
}

TEST(SimpleStepTrimTest, OnlyTheBlankCountsAsSpace) {
  EXPECT_EQ(Generate(SimpleStepParams{.fcNumber = "\t80"}).errorCode, 20);
  EXPECT_EQ(Generate(SimpleStepParams{.release1 = "Auto\t"}).errorCode, 8);
}

// ---------------------------------------------------------------- structure

TEST(SimpleStepStructureTest, JumpListForcesNumberingAndOneChangePerCycle) {
  SimpleStepParams p{.firstStep = "7", .distance = "3", .oneChangePerCycle = false};
  ApplyJumpListStructure(p);
  EXPECT_EQ(p.structure, kSimpleJumpList);
  EXPECT_EQ(p.firstStep, "0");
  EXPECT_EQ(p.distance, "1");
  EXPECT_TRUE(p.oneChangePerCycle);
  EXPECT_EQ(p.count, "12");
}

TEST(SimpleStepStructureTest, DefaultsGiveFiftyFiveAsLastStepAndTheSymbolRow) {
  const auto result = Generate(SimpleStepParams{});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.rowCount(), 2);
  EXPECT_EQ(result.symbols.at(0), (SymbolRow{"FC_Schrittkette", "FC 80", "FC 80", "FC_Schrittkette"}));
  EXPECT_NE(Find(result.lines, "S055: L     55;"), -1);
  EXPECT_EQ(Find(result.lines, "S060: L     60;"), -1);
  EXPECT_EQ(result.lines.back(), "END_FUNCTION");
}

// ---------------------------------------------------------------- text edge cases

TEST(SimpleStepTextTest, SingleStepInComparatorWithSwJumpsToTheEndAndReloadsItself) {
  const auto r = Generate(SimpleStepParams{.firstStep = "4", .count = "1"});
  ASSERT_TRUE(r.ok());
  const int label = Find(r.lines, "S004: L     4;");
  ASSERT_NE(label, -1);
  EXPECT_EQ(r.lines[label + 3], "      SPBN   S_EX;");
  const int advance = Find(r.lines, "// Schritt weiterschalten");
  EXPECT_EQ(r.lines[advance + 1], "      L     4;");
  EXPECT_EQ(CountOf(r.lines, "      SPBN  S004;"), 0);
  EXPECT_EQ(CountOf(r.lines, "S_EX: NOP 0;"), 1);
}

TEST(SimpleStepTextTest, SingleStepInComparatorWithoutSwNeverJumpsBackToItself) {
  const auto r = Generate(SimpleStepParams{.firstStep = "4", .count = "1", .oneChangePerCycle = false});
  ASSERT_TRUE(r.ok());
  const int label = Find(r.lines, "S004: NOP   0;");
  ASSERT_NE(label, -1);
  EXPECT_EQ(r.lines[label + 4], "      SPBN   S_EX;");
  const int end = Find(r.lines, "      T     #Step;", label);
  EXPECT_EQ(r.lines[end - 1], "      L     4;");
  EXPECT_EQ(r.lines[end + 1], "      SPA   S_EX;");
  EXPECT_EQ(CountOf(r.lines, "      SPA  S004;"), 0);
}

TEST(SimpleStepTextTest, SingleStepInJumpList) {
  SimpleStepParams p{.count = "1"};
  ApplyJumpListStructure(p);
  const auto r = Generate(p);
  ASSERT_TRUE(r.ok());
  const int list = Find(r.lines, "      SPL   LSTX;");
  EXPECT_EQ(r.lines[list + 1], "      SPA   S000;");
  EXPECT_EQ(r.lines[list + 2], "LSTX: SPA   S_EX;");
  const int block = Find(r.lines, "S000: NOP   0;");
  const int advance = Find(r.lines, "      T     #Step;", block);
  EXPECT_EQ(r.lines[advance - 1], "      L     0;");
  EXPECT_EQ(r.lines[advance + 1], "      SPA   S_EX;");
}

TEST(SimpleStepTextTest, LastStepWrapsToTheFirst) {
  const auto r = Generate(SimpleStepParams{.firstStep = "10", .distance = "10", .count = "3"});
  ASSERT_TRUE(r.ok());
  const int last = Find(r.lines, "S030: L     30;");
  ASSERT_NE(last, -1);
  EXPECT_EQ(r.lines[last + 3], "      SPBN   S_EX;");
  const int advance = Find(r.lines, "// Schritt weiterschalten", last);
  EXPECT_EQ(r.lines[advance + 1], "      L     10;");
  // The steps before it go on to their successors.
  const int second = Find(r.lines, "S020: L     20;");
  EXPECT_EQ(r.lines[second + 3], "      SPBN  S030;");
}

TEST(SimpleStepTextTest, OnlyFilledReleaseOperandsAreAndedInOrder) {
  const auto r = Generate(SimpleStepParams{.count = "1", .release3 = "", .release4 = "Stop"});
  ASSERT_TRUE(r.ok());
  const int first = Find(r.lines, "      U     Auto;");
  ASSERT_NE(first, -1);
  EXPECT_EQ(r.lines[first + 1], "      U     Freigabe;");
  EXPECT_EQ(r.lines[first + 2], "      U     Stop;");
  EXPECT_EQ(r.lines[first + 3], "");
  EXPECT_EQ(BannerValue(r.lines, "//    In-Variable Freig. 3:"), "//" + std::string(53, ' ') + "#");
  EXPECT_EQ(BannerValue(r.lines, "//    In-Variable Freig. 4:"), Value("Stop"));

  const auto english = Generate(SimpleStepParams{.count = "1", .release4 = "Stop"}, true);
  EXPECT_NE(Find(english.lines, "      A     Stop;"), -1);
}

TEST(SimpleStepTextTest, FieldTextsAreWrittenAsTyped) {
  const auto plus = Generate(SimpleStepParams{.fcNumber = "+80", .firstStep = "00", .distance = "$A", .count = "0x3"});
  ASSERT_TRUE(plus.ok());
  // The block number alone is written from its value.
  EXPECT_EQ(plus.symbols.at(0).address, "FC 80");
  EXPECT_EQ(plus.symbols.at(0).type, "FC 80");
  EXPECT_EQ(BannerValue(plus.lines, "//    FC-Nummer:"), Value("FC 80"));
  EXPECT_EQ(BannerValue(plus.lines, "//    Nr. 1. Schritt:"), Value("00"));
  EXPECT_EQ(BannerValue(plus.lines, "//    Schrittabstand:"), Value("$A"));
  EXPECT_EQ(BannerValue(plus.lines, "//    Anzahl Schritte:"), Value("0x3"));
  // The generated code itself uses the values: steps 0, 10, 20.
  EXPECT_NE(Find(plus.lines, "      L     0;"), -1);
  EXPECT_NE(Find(plus.lines, "S020: L     20;"), -1);

  // Hexadecimal, signed and zero-padded numbers give the plain number's text.
  const auto plain = Generate(SimpleStepParams{.fcNumber = "80"});
  for (const char* number : {"0x50", "$50", "+80", "080"}) {
    const auto r = Generate(SimpleStepParams{.fcNumber = number});
    ASSERT_TRUE(r.ok()) << number;
    EXPECT_EQ(r.symbols, plain.symbols) << number;
    EXPECT_EQ(r.lines, plain.lines) << number;
  }
}

TEST(SimpleStepTextTest, LongBannerValueIsWrittenWhole) {
  const std::string count = std::string(45, '0') + "3";
  const auto r = Generate(SimpleStepParams{.count = count});
  ASSERT_TRUE(r.ok());
  const std::string line = BannerValue(r.lines, "//    Anzahl Schritte:");
  EXPECT_EQ(line, "//           " + count + "#");
  EXPECT_GT(line.size(), 56u);
}

TEST(SimpleStepTextTest, NameWithBlanksIsQuotedAsTyped) {
  const auto r = Generate(SimpleStepParams{.fcName = "Kette  A"});
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.lines.at(0), "FUNCTION \"Kette  A\" : VOID");
  EXPECT_EQ(BannerValue(r.lines, "//    FC-Name:"), Value("Kette  A"));
}

TEST(SimpleStepTextTest, BannerHasFortyFiveLinesFiftySixWide) {
  const auto r = Generate(SimpleStepParams{.count = "2"});
  ASSERT_TRUE(r.ok());
  const int begin = Find(r.lines, "      NOP   0;") + 2;
  const int end = Find(r.lines, "NETWORK", begin);
  EXPECT_EQ(end - begin, 45);  // 44 frame lines and the empty line after them
  for (int i = begin; i < end - 1; ++i) EXPECT_EQ(r.lines[i].size(), 56u) << r.lines[i];
}

TEST(SimpleStepTextTest, NetworkPerStepWithComparator) {
  const auto r = Generate(SimpleStepParams{.count = "2", .networkPerStep = true});
  ASSERT_TRUE(r.ok());
  const int title = Find(r.lines, "TITLE = Schritt 5");
  ASSERT_NE(title, -1);
  EXPECT_EQ(r.lines[title - 1], "NETWORK");
  EXPECT_EQ(r.lines[title + 1], Ansi("// Schrittnummer aktiv?  Nein -> Zum nächsten Schritt"));
  EXPECT_EQ(r.lines[r.lines.size() - 4], "TITLE = Ende Schrittkette");
}

TEST(SimpleStepHelpTest, CarriageReturnsOnlyAndWindows1252) {
  const std::string& help = SimpleStepHelpText();
  EXPECT_TRUE(help.starts_with(Ansi("Hilfe zu AWL-Schrittkette-Simple\r\rHiermit kann das Gerüst")));
  EXPECT_TRUE(help.ends_with("Kommentaren versehen.\r"));
  EXPECT_EQ(help.find('\n'), std::string::npos);
  EXPECT_EQ(std::count(help.begin(), help.end(), '\r'), 9);
  EXPECT_NE(help.find(Ansi(" -mögliche Schritte sind 0..999.\r")), std::string::npos);
}

}  // namespace
}  // namespace brendax
