// Checks, trimming, structure and the symbol row of the simple step
// sequence; its texts are compared whole by the goldens.
#include "stepseq/simple_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/text_search.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

using testing::Contains;
using testing::CountOf;
using testing::IndexOf;
using Change = std::function<void(SimpleStepParams&)>;

SimpleStepParams Defaults() { return DefaultsOf(SimpleStepFields()); }

GeneratorResult Generate(const Change& change, bool english = false) {
  SimpleStepParams params = Defaults();
  change(params);
  TrimFields(SimpleStepFields(), params);
  return GenerateSimpleStep(params, MnemonicsFor(english));
}

// ---------------------------------------------------------------- checks

struct BadValue {
  const char* what;
  Change apply;
  int code;
  const char* message;  // UTF-8
};

void PrintTo(const BadValue& value, std::ostream* os) { *os << value.what; }

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
    {"name25", [](auto& p) { p.fcName = std::string(25, 'F'); }, 5, kName},
    {"nameEmpty", [](auto& p) { p.fcName = ""; }, 5, kName},
    {"nameBlanksOnly", [](auto& p) { p.fcName = "   "; }, 5, kName},
    {"nameWithDoubleQuote", [](auto& p) { p.fcName = "FC\"1"; }, 5, kName},
    {"numberText", [](auto& p) { p.fcNumber = "abc"; }, 20, kNumber},
    {"numberTrailingText", [](auto& p) { p.fcNumber = "80a"; }, 20, kNumber},
    {"numberEmpty", [](auto& p) { p.fcNumber = ""; }, 20, kNumber},
    {"numberTab", [](auto& p) { p.fcNumber = "\t80"; }, 20, kNumber},  // only the blank is trimmed
    {"number65536", [](auto& p) { p.fcNumber = "65536"; }, 21, kNumber},
    {"numberNegative", [](auto& p) { p.fcNumber = "-1"; }, 21, kNumber},
    {"firstText", [](auto& p) { p.firstStep = "eins"; }, 30, kFirst},
    {"first99", [](auto& p) { p.firstStep = "99"; }, 31, kFirst},
    {"firstNegative", [](auto& p) { p.firstStep = "-1"; }, 31, kFirst},
    {"distanceEmpty", [](auto& p) { p.distance = ""; }, 32, kDistance},
    {"distance0", [](auto& p) { p.distance = "0"; }, 33, kDistance},
    {"distance50001", [](auto& p) { p.distance = "50001"; }, 33, kDistance},
    {"countText", [](auto& p) { p.count = Ansi("zwölf"); }, 34, kCount},
    {"countTooBigFor32Bit", [](auto& p) { p.count = "2147483648"; }, 34, kCount},
    {"count0", [](auto& p) { p.count = "0"; }, 34, kCount},
    {"countNegative", [](auto& p) { p.count = "-3"; }, 34, kCount},
    {"jumpList256",
     [](auto& p) {
       ApplyJumpListStructure(p);
       p.count = "256";
     },
     36, kLast},
    {"comparatorLast1000",
     [](auto& p) {
       p.distance = "1";
       p.count = "1001";
     },
     36, kLast},
    {"comparatorLast1001From98",
     [](auto& p) {
       p.firstStep = "98";
       p.distance = "1";
       p.count = "903";
     },
     36, kLast},
    {"comparatorFirst98Distance50000",
     [](auto& p) {
       p.firstStep = "98";
       p.distance = "50000";
       p.count = "2";
     },
     36, kLast},
    {"comparatorHugeCount",
     [](auto& p) {
       p.distance = "50000";
       p.count = "2147483647";
     },
     36, kLast},
    {"release1Empty", [](auto& p) { p.release1 = ""; }, 8, kRel1},
    {"release1Digit", [](auto& p) { p.release1 = "1Auto"; }, 8, kRel1},
    {"release1Tab", [](auto& p) { p.release1 = "Auto\t"; }, 8, kRel1},
    {"release2DoubleUnderscore", [](auto& p) { p.release2 = "Frei__gabe"; }, 9, kRel2},
    {"release2Empty", [](auto& p) { p.release2 = ""; }, 9, kRel2},
    {"release2SameAs1", [](auto& p) { p.release2 = "Auto"; }, 10, kRel2},
    {"release3Umlaut", [](auto& p) { p.release3 = Ansi("Stärke"); }, 11, kRel3},
    {"release3SameAs1", [](auto& p) { p.release3 = "Auto"; }, 12, kRel3},
    {"release3SameAs2", [](auto& p) { p.release3 = "Freigabe"; }, 13, kRel3},
    {"release4Blank", [](auto& p) { p.release4 = "a b"; }, 14, kRel4},
    {"release4SameAs1", [](auto& p) { p.release4 = "Auto"; }, 15, kRel4},
    {"release4SameAs2", [](auto& p) { p.release4 = "Freigabe"; }, 16, kRel4},
    {"release4SameAs3",
     [](auto& p) {
       p.release3 = "Start";
       p.release4 = "Start";
     },
     17, kRel4},
    // The first failing check decides.
    {"nameBeforeNumberAndReleases",
     [](auto& p) {
       p.fcName = std::string(30, 'x');
       p.fcNumber = "abc";
       p.release1 = "";
     },
     5, kName},
    {"lastStepBeforeReleases",
     [](auto& p) {
       p.count = "1001";
       p.distance = "1";
       p.release1 = "";
     },
     36, kLast},
    {"firstStepBeforeCount",
     [](auto& p) {
       p.firstStep = "99";
       p.count = "0";
     },
     31, kFirst},
};

class SimpleStepCheckTest : public ::testing::TestWithParam<BadValue> {};

TEST_P(SimpleStepCheckTest, RefusesWithCodeAndExactMessageAndWritesNothing) {
  const GeneratorResult result = Generate(GetParam().apply);
  EXPECT_EQ(result.errorCode, GetParam().code);
  EXPECT_EQ(result.errorMessage, Ansi(GetParam().message));
  EXPECT_TRUE(result.symbols.empty());
  EXPECT_TRUE(result.lines.empty());
}

INSTANTIATE_TEST_SUITE_P(ValidationTable, SimpleStepCheckTest, ::testing::ValuesIn(kBadValues),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(SimpleStepAcceptTest, BoundaryValuesPass) {
  const std::vector<std::pair<const char*, Change>> accepted = {
      {"FC 0", [](auto& p) { p.fcNumber = "0"; }},
      {"FC 65535", [](auto& p) { p.fcNumber = "65535"; }},
      {"name of 24 characters", [](auto& p) { p.fcName = std::string(24, 'F'); }},
      {"name with blanks and #", [](auto& p) { p.fcName = "Meine Kette #1"; }},
      {"first step 98",
       [](auto& p) {
         p.firstStep = "98";
         p.count = "1";
       }},
      {"distance 50000",
       [](auto& p) {
         p.distance = "50000";
         p.count = "1";
       }},
      {"releases differing in case", [](auto& p) { p.release2 = "auto"; }},
      {"releases 3 and 4",
       [](auto& p) {
         p.release3 = "_Start";
         p.release4 = "Stop_1";
       }},
      {"last step 999 from 98",
       [](auto& p) {
         p.firstStep = "98";
         p.distance = "1";
         p.count = "902";
       }},
  };
  for (const auto& [what, change] : accepted) {
    const GeneratorResult r = Generate(change);
    EXPECT_TRUE(r.ok()) << what << ": " << r.errorMessage;
  }
  EXPECT_EQ(ErrorBoxText(Generate([](auto& p) { p.fcNumber = "65536"; })),
            Ansi("Error: 21 / \"FC- Nummer\" ist ungültig !"));
}

TEST(SimpleStepAcceptTest, LastStepIsBoundedAt999InBothStructures) {
  // Comparator: 0..999 passes, and its last label is still a real one.
  const auto ok = Generate([](auto& p) {
    p.distance = "1";
    p.count = "1000";
  });
  ASSERT_TRUE(ok.ok());
  EXPECT_TRUE(Contains(ok.lines, "S999: L     999;"));
  EXPECT_EQ(CountOf(ok.lines, "????: L     1000;"), 0);

  // Jump list: 255 steps (last 254) pass.
  const auto list = Generate([](auto& p) {
    ApplyJumpListStructure(p);
    p.count = "255";
  });
  ASSERT_TRUE(list.ok());
  const int start = IndexOf(list.lines, "      SPL   LSTX;");
  ASSERT_NE(start, -1);
  EXPECT_EQ(list.lines[start + 1], "      SPA   S000;");
  EXPECT_EQ(list.lines[start + 255], "      SPA   S254;");
  EXPECT_EQ(list.lines[start + 256], "LSTX: SPA   S_EX;");
}

// ---------------------------------------------------------------- fields

TEST(SimpleStepFieldsTest, TrimsTheNineTextsOfOuterBlanksOnly) {
  SimpleStepParams p = Defaults();
  p.fcNumber = "  80 ";
  p.fcName = " FC 10  ";
  p.firstStep = " 0";
  p.distance = "5 ";
  p.count = "  3  ";
  p.release1 = " Auto";
  p.release2 = "Freigabe ";
  p.release3 = "   ";
  p.release4 = " Stop ";
  TrimFields(SimpleStepFields(), p);
  SimpleStepParams expected = Defaults();
  expected.fcName = "FC 10";
  expected.count = "3";
  expected.release4 = "Stop";
  EXPECT_EQ(p, expected);
}

TEST(SimpleStepFieldsTest, JumpListForcesNumberingAndOneChangePerCycle) {
  SimpleStepParams p = Defaults();
  p.firstStep = "7";
  p.distance = "3";
  p.oneChangePerCycle = false;
  ApplyJumpListStructure(p);
  SimpleStepParams expected = Defaults();
  expected.structure = kSimpleJumpList;
  expected.firstStep = "0";
  expected.distance = "1";
  EXPECT_EQ(p, expected);
}

TEST(SimpleStepFieldsTest, DefaultsGiveFiftyFiveAsLastStepAndTheSymbolRow) {
  const auto result = Generate([](auto&) {});
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.rowCount(), 2);
  EXPECT_EQ(result.symbols.at(0), (SymbolRow{"FC_Schrittkette", "FC 80", "FC 80", "FC_Schrittkette"}));
  EXPECT_TRUE(Contains(result.lines, "S055: L     55;"));
  EXPECT_FALSE(Contains(result.lines, "S060: L     60;"));
  EXPECT_EQ(result.lines.back(), "END_FUNCTION");
}

TEST(SimpleStepFieldsTest, BlockNumberIsWrittenFromItsValue) {
  const auto plain = Generate([](auto& p) { p.fcNumber = "80"; });
  for (const char* number : {"0x50", "$50", "+80", "080", " 080 "}) {
    const auto r = Generate([number](auto& p) { p.fcNumber = number; });
    ASSERT_TRUE(r.ok()) << number;
    EXPECT_EQ(r.symbols, plain.symbols) << number;
    EXPECT_EQ(r.lines, plain.lines) << number;
  }
  EXPECT_EQ(testing::LineAfter(plain.lines, "//    FC-Nummer:"),
            "//           FC 80                                     #");
}

TEST(SimpleStepFieldsTest, HelpTextHasCarriageReturnsOnly) {
  const std::string& help = SimpleStepHelpText();
  EXPECT_TRUE(help.starts_with(Ansi("Hilfe zu AWL-Schrittkette-Simple\r\rHiermit kann das Gerüst")));
  EXPECT_TRUE(help.ends_with("Kommentaren versehen.\r"));
  EXPECT_EQ(help.find('\n'), std::string::npos);
  EXPECT_EQ(std::count(help.begin(), help.end(), '\r'), 9);
}

}  // namespace
}  // namespace brendax
