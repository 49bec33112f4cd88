// The target/actual data block: checks, assignment lists, and the source.
#include "datablocks/target_actual.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace brendax {
namespace {

TargetActualParams Defaults() { return DefaultsOf(TargetActualFields()); }

std::vector<std::string> Slice(const std::vector<std::string>& lines, std::size_t from, std::size_t count) {
  return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(TargetActualTest, WorkedExampleCommentPartAndDeclarations) {
  TargetActualParams p = Defaults();
  p.variants = "2";
  p.variantSymbols = "2=Auto";
  p.addressSymbols = "0_0=Start";
  const GeneratorResult r = GenerateTargetActual(p);
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(r.symbols.empty());
  const auto& l = r.lines;
  EXPECT_EQ(Slice(l, 0, 7), (std::vector<std::string>{
                                "   // ", "   // Symbolzuordnungen f. Varianten / Schritte :", "   //1=V1",
                                "   //2=Auto", "   // ", "   // Symbolzuordnungen f. Adressen :", "   //0_0=Start"}));
  EXPECT_EQ(l[7], "   //0_1=0_1");
  EXPECT_EQ(l[6 + 31], "   //3_7=3_7");
  const std::size_t head = 6 + 32;
  EXPECT_EQ(Slice(l, head, 12),
            (std::vector<std::string>{"DATA_BLOCK DB1", "TITLE =", "VERSION : 0.1", "", "  STRUCT",
                                      "   Const_EingangsDWords : INT ;", "   Const_Varianten : INT ;",
                                      "   Variante_old : INT ;", "", "", "", "   IstDW0 : DWORD ;"}));
  const std::size_t teach = head + 12;
  EXPECT_EQ(l[teach], "   TMaskStart : Bool ;   //TMask0_0");
  EXPECT_EQ(l[teach + 1], "   TMask0_1 : Bool ;   //TMask0_1");
  EXPECT_EQ(l[teach + 31], "   TMask3_7 : Bool ;   //TMask3_7");
  EXPECT_EQ(l[teach + 32], "   ErrStart : Bool ;   //Err0_0");
  const std::size_t target = teach + 64;
  EXPECT_EQ(l[target], "   V1SollBStart : Bool ;   //V1SollB0_0");
  EXPECT_EQ(l[target + 31], "   V1SollB3_7 : Bool ;   //V1SollB3_7");
  EXPECT_EQ(l[target + 32], "   AutoSollBStart : Bool ;   //V2SollB0_0");
  EXPECT_EQ(l[target + 63], "   AutoSollB3_7 : Bool ;   //V2SollB3_7");
  EXPECT_EQ(l[target + 64], "   V1AktBStart : Bool ;   //V1AktB0_0");
  EXPECT_EQ(l[target + 127], "   AutoAktB3_7 : Bool ;   //V2AktB3_7");
  EXPECT_EQ(Slice(l, target + 128, 4), (std::vector<std::string>{"  END_STRUCT ;", "BEGIN", "END_DATA_BLOCK", ""}));
  EXPECT_EQ(l.size(), target + 132);
}

TEST(TargetActualTest, EveryCodeReachedByItsBadValue) {
  struct Case {
    const char* doubleWords;
    const char* variants;
    const char* start;
    int code;
  };
  const Case cases[] = {
      {"0", "1", "0", 10},  {"33", "1", "0", 10},  {"x", "0", "2000", 10},    {"1 ", "1", "0", 10},
      {"1", "0", "0", 20},  {"32", "65", "0", 20}, {"$20", "abc", "-1", 20},  {"1", "64", "1024", 30},
      {"1", "1", "-1", 30}, {"1", "1", "", 30},    {" 32", "+64", "$3FF", 0},
  };
  for (const auto& c : cases) {
    TargetActualParams p = Defaults();
    p.doubleWords = c.doubleWords;
    p.variants = c.variants;
    p.startAddress = c.start;
    const GeneratorResult r = GenerateTargetActual(p);
    EXPECT_EQ(r.errorCode, c.code) << c.doubleWords << " / " << c.variants << " / " << c.start;
    if (c.code != 0) {
      EXPECT_EQ(ErrorBoxText(r), "Fehler: " + std::to_string(c.code));
      EXPECT_TRUE(r.lines.empty());
    }
  }
}

TEST(TargetActualTest, AssignmentParse) {
  struct Case {
    const char* line;
    const char* tag;
    std::optional<std::string> symbol;
  };
  const Case cases[] = {
      {"   //12=Motor_1 // Kommentar", "12", "Motor_1"},
      {"0_1 = Taster", "0_1", "Taster"},
      {"5 = Heben", "5", "Heben"},
      {"5=Heben Senken", "5", "Heben"},
      {"5=Heben/Senken", "5", "Heben"},
      {" / /  5=Ab", "5", "Ab"},
      {"5=", "5", std::nullopt},
      {"5=/x", "5", std::nullopt},
      {"5=   ", "5", std::nullopt},
      {"5 Heben", "5", std::nullopt},  // no "="
      {"", "5", std::nullopt},
      {"x5=Heben", "5", std::nullopt},
      {"5 5=Heben", "5", std::nullopt},
      // A line written for one tag never serves a tag that is its tail.
      {"   //12=V12", "2", std::nullopt},
      {"   //12=V12", "12", "V12"},
      {"10_1=Hupe", "0_1", std::nullopt},
      {"05=Null", "5", std::nullopt},
      {"1=ABCDEFGHIJ", "1", "ABCDEFGHIJ"},  // the caller cuts
  };
  for (const auto& c : cases) EXPECT_EQ(ParseAssignment(c.line, c.tag), c.symbol) << c.line << " / " << c.tag;
}

TEST(TargetActualTest, ListsAssignSymbolsLaterLinesWin) {
  TargetActualParams p = Defaults();
  p.variants = "12";
  p.variantSymbols = "1=ABCDEFGHIJ\r\n   //12=V12\r\n\r\n3=Erst\n3=Zweit\r4=Vier\r\n99=Weg\r\n0=Null";
  p.addressSymbols = "  0_1 = Taster \r\n0_8=Nix\r\n4_0=Aus\r\n3_7=Ende";
  const GeneratorResult r = GenerateTargetActual(p);
  ASSERT_TRUE(r.ok());
  const auto& l = r.lines;
  EXPECT_EQ(Slice(l, 2, 12), (std::vector<std::string>{"   //1=ABCDEFGH", "   //2=V2", "   //3=Zweit", "   //4=Vier",
                                                       "   //5=V5", "   //6=V6", "   //7=V7", "   //8=V8", "   //9=V9",
                                                       "   //10=V10", "   //11=V11", "   //12=V12"}));
  EXPECT_EQ(l[16], "   //0_0=0_0");
  EXPECT_EQ(l[17], "   //0_1=Taster");
  EXPECT_EQ(l[16 + 31], "   //3_7=Ende");
  EXPECT_EQ(l[16 + 32], "DATA_BLOCK DB1");
}

TEST(TargetActualTest, PastingTheGeneratedListsBackReproducesTheSymbols) {
  TargetActualParams p = Defaults();
  p.doubleWords = "2";
  p.variants = "23";
  p.startAddress = "1020";
  p.variantSymbols = "2=Zwei\r\n12=Zwoelf\r\n21=Einundzw";
  p.addressSymbols = "1020_1=A\r\n1021_1=B\r\n1027_7=Letzt";
  const GeneratorResult first = GenerateTargetActual(p);
  ASSERT_TRUE(first.ok());
  const std::size_t split = IndexOf(first.lines, "   // Symbolzuordnungen f. Adressen :");
  const std::size_t end = IndexOf(first.lines, "DATA_BLOCK DB1");
  ASSERT_LT(end, first.lines.size());
  std::string variants, addresses;
  for (std::size_t i = 2; i + 1 < split; ++i) variants += first.lines[i] + "\r\n";
  for (std::size_t i = split + 1; i < end; ++i) addresses += first.lines[i] + "\r\n";
  TargetActualParams again = p;
  again.variantSymbols = variants;
  again.addressSymbols = addresses;
  const GeneratorResult second = GenerateTargetActual(again);
  EXPECT_EQ(second.lines, first.lines);
  EXPECT_EQ(first.lines[split + 1], "   //1020_0=1020_0");
  EXPECT_EQ(first.lines[end - 1], "   //1027_7=Letzt");
  EXPECT_EQ(first.lines[3], "   //2=Zwei");
}

TEST(TargetActualTest, PrefixesAsTypedAndDefaultSymbolsCut) {
  TargetActualParams p = Defaults();
  p.doubleWords = "2";
  p.startAddress = "1000";
  p.prefixActual = "Ist ";
  p.prefixVariant = "Schritt_";
  p.variantSymbols = "1=\xC4nderung";
  const GeneratorResult r = GenerateTargetActual(p);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.lines[2], "   //1=\xC4nderung");
  EXPECT_NE(IndexOf(r.lines, "   Ist 1000 : DWORD ;"), r.lines.size());
  EXPECT_NE(IndexOf(r.lines, "   Ist 1004 : DWORD ;"), r.lines.size());
  EXPECT_NE(IndexOf(r.lines, "   \xC4nderungSollB1000_0 : Bool ;   //Schritt_1SollB1000_0"), r.lines.size());
  p.variantSymbols.clear();
  EXPECT_EQ(GenerateTargetActual(p).lines[2], "   //1=Schritt_");  // "Schritt_1" cut to 8
}

TEST(TargetActualTest, LargestBlockHasAllDeclarations) {
  TargetActualParams p = Defaults();
  p.doubleWords = "32";
  p.variants = "64";
  const GeneratorResult r = GenerateTargetActual(p);
  ASSERT_TRUE(r.ok());
  const std::size_t first = IndexOf(r.lines, "   Const_EingangsDWords : INT ;");
  const std::size_t last = IndexOf(r.lines, "  END_STRUCT ;");
  std::size_t declarations = 0;
  for (std::size_t i = first; i < last; ++i) declarations += r.lines[i].empty() ? 0 : 1;
  EXPECT_EQ(declarations, 133155u);
  EXPECT_EQ(r.lines[last - 1], "   V64AktB127_7 : Bool ;   //V64AktB127_7");
}

}  // namespace
}  // namespace brendax
