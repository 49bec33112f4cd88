// The symbol generator's run: checks and their numbers, the rows a refused
// run keeps, counting on of addresses, counters and sequences, and the
// expansion of placeholders.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "symbols/symbol_generator.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

// A valid form to start from: 3 flags rows from M 10.0.
SymbolParams Form() {
  SymbolParams p = SymbolExampleProgramNumber();
  p.count = "3";
  return p;
}

GeneratorResult Generate(const SymbolParams& p) { return GenerateSymbols(p, GermanMnemonics()); }

std::vector<std::string> Column(const GeneratorResult& r, std::string SymbolRow::*cell) {
  std::vector<std::string> cells;
  for (const auto& row : r.symbols) cells.push_back(row.*cell);
  return cells;
}

struct ErrorCase {
  const char* what;
  std::function<void(SymbolParams&)> enter;
  int code;
  int rowCount;  // grid rows after the run, title row included
};

// Shown in test output instead of the object's bytes.
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.what; }

class SymbolErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(SymbolErrorTest, RefusesWithItsNumberAndKeepsEmptyRows) {
  SymbolParams p = Form();
  GetParam().enter(p);
  const GeneratorResult r = Generate(p);
  EXPECT_EQ(r.errorCode, GetParam().code);
  EXPECT_EQ(r.rowCount(), GetParam().rowCount);
  for (const auto& row : r.symbols) EXPECT_EQ(row, SymbolRow{}) << "a refused field leaves every row empty";
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, SymbolErrorTest,
    ::testing::Values(
        ErrorCase{"count not a number", [](SymbolParams& p) { p.count = "acht"; }, 1, 1},
        ErrorCase{"count with a trailing blank", [](SymbolParams& p) { p.count = "8 "; }, 1, 1},
        ErrorCase{"count empty", [](SymbolParams& p) { p.count = ""; }, 1, 1},
        ErrorCase{"count 1001", [](SymbolParams& p) { p.count = "1001"; }, 2, 1},
        ErrorCase{"count beyond 32 bits", [](SymbolParams& p) { p.count = "4294967296"; }, 1, 1},
        ErrorCase{"area typed", [](SymbolParams& p) { p.area = -1; }, 3, 4},
        ErrorCase{"A1 without point", [](SymbolParams& p) { p.startAddress = "50"; }, 4, 4},
        ErrorCase{"A1 byte not a number", [](SymbolParams& p) { p.startAddress = "x.0"; }, 5, 4},
        ErrorCase{"A1 byte negative", [](SymbolParams& p) { p.startAddress = "-1.0"; }, 5, 4},
        ErrorCase{"A1 bit empty", [](SymbolParams& p) { p.startAddress = "50."; }, 6, 4},
        ErrorCase{"A1 bit negative", [](SymbolParams& p) { p.startAddress = "50.-1"; }, 6, 4},
        ErrorCase{"A1 bit malformed", [](SymbolParams& p) { p.startAddress = "50.3x"; }, 6, 4},
        ErrorCase{"A1 bit 8", [](SymbolParams& p) { p.startAddress = "50.8"; }, 7, 4},
        ErrorCase{"A1 bit malformed above 7", [](SymbolParams& p) { p.startAddress = "50.9 "; }, 7, 4},
        ErrorCase{"A1 two points", [](SymbolParams& p) { p.startAddress = "50.1.2"; }, 6, 4},
        ErrorCase{"A2 without point", [](SymbolParams& p) { p.startAddress2 = "100"; }, 8, 4},
        ErrorCase{"A2 byte negative", [](SymbolParams& p) { p.startAddress2 = "-3.0"; }, 9, 4},
        ErrorCase{"A2 bit negative", [](SymbolParams& p) { p.startAddress2 = "0.-2"; }, 10, 4},
        ErrorCase{"A2 bit 12", [](SymbolParams& p) { p.startAddress2 = "0.12"; }, 11, 4},
        ErrorCase{"C1", [](SymbolParams& p) { p.c1Start = "eins"; }, 12, 4},
        ErrorCase{"C2", [](SymbolParams& p) { p.c2Start = ""; }, 13, 4},
        ErrorCase{"C1 step", [](SymbolParams& p) { p.c1Step = "1 "; }, 14, 4},
        ErrorCase{"C2 step", [](SymbolParams& p) { p.c2Step = "$"; }, 15, 4},
        ErrorCase{"C3", [](SymbolParams& p) { p.c3Start = "9999999999"; }, 16, 4},
        // The address checks come before the area; the counters after it.
        ErrorCase{"bad A1 and typed area",
                  [](SymbolParams& p) {
                    p.area = -1;
                    p.startAddress = "1";
                  },
                  4, 4},
        ErrorCase{"typed area and bad C1",
                  [](SymbolParams& p) {
                    p.area = -1;
                    p.c1Start = "x";
                  },
                  3, 4},
        ErrorCase{"negative n keeps no rows",
                  [](SymbolParams& p) {
                    p.count = "-5";
                    p.c3Start = "x";
                  },
                  16, 1}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(SymbolGeneratorTest, MessagesOfTheNumbers) {
  const struct {
    int code;
    const char* text;
  } cases[] = {{2, "Error: 2 / Anzahl Symbole ungültig !"},
               {3, "Error: 3 / Aressbereich ungültig !"},
               {7, "Error: 7 / Startadresse ungültig !"},
               {11, "Error: 11 / Startadresse2 ungültig !"},
               {16, "Error: 16 / Counter3 ungültig !"}};
  for (const auto& c : cases) {
    SymbolParams p = Form();
    if (c.code == 2) p.count = "5000";
    if (c.code == 3) p.area = 3;
    if (c.code == 7) p.startAddress = "0.9";
    if (c.code == 11) p.startAddress2 = "0.9";
    if (c.code == 16) p.c3Start = "";
    const GeneratorResult r = Generate(p);
    EXPECT_EQ(ErrorBoxText(r), Ansi(c.text));
  }
}

TEST(SymbolGeneratorTest, TooLongSymbolKeepsTheRowsBeforeIt) {
  SymbolParams p = Form();
  p.count = "5";
  p.c1Start = "99998";
  p.symbol = "Bit_567890123456789<C1>";  // 24 characters with 99998 and 99999, 25 with 100000
  const GeneratorResult r = Generate(p);
  EXPECT_EQ(r.errorCode, 17);
  EXPECT_EQ(ErrorBoxText(r), "Error: 17 / Mindestens ein Symbol ist zu lang (max. 24 Zeichen) !");
  ASSERT_EQ(r.rowCount(), 6);
  EXPECT_EQ(r.symbols[0], (SymbolRow{"Bit_56789012345678999998", "M  10.0", "Bool", "Programmnummer Bit 99998"}));
  EXPECT_EQ(r.symbols[1].symbol, "Bit_56789012345678999999");
  for (int i = 2; i < 5; ++i) EXPECT_EQ(r.symbols[i], SymbolRow{}) << "row " << i + 1;
}

TEST(SymbolGeneratorTest, TooLongCommentKeepsTheFirstThreeCellsOfItsRow) {
  SymbolParams p = Form();
  p.count = "4";
  p.c1Start = "8";
  p.comment = std::string(79, 'k') + "<C1>";  // 80 characters with 8 and 9, 81 with 10
  const GeneratorResult r = Generate(p);
  EXPECT_EQ(r.errorCode, 18);
  ASSERT_EQ(r.rowCount(), 5);
  EXPECT_EQ(r.symbols[0].comment, std::string(79, 'k') + "8");
  EXPECT_EQ(r.symbols[1].comment.size(), 80u);
  EXPECT_EQ(r.symbols[2], (SymbolRow{"M_PrgNr_Bit10", "M  10.2", "Bool", ""}));
  EXPECT_EQ(r.symbols[3], SymbolRow{});
}

TEST(SymbolGeneratorTest, CountLimits) {
  const struct {
    const char* count;
    int code;
    int rowCount;
  } cases[] = {{"0", 0, 1}, {"-1", 0, 1}, {"-2147483648", 0, 1}, {"1000", 0, 1001}, {"1001", 2, 1}, {"$3E8", 0, 1001}};
  for (const auto& c : cases) {
    SymbolParams p = Form();
    p.count = c.count;
    const GeneratorResult r = Generate(p);
    EXPECT_EQ(r.errorCode, c.code) << c.count;
    EXPECT_EQ(r.rowCount(), c.rowCount) << c.count;
  }
}

TEST(SymbolGeneratorTest, AddressesCountOnAcrossTheByte) {
  SymbolParams p = Form();
  p.startAddress = "7.7";
  p.startAddress2 = "$10.6";
  p.symbol = "S<A2>";
  p.area = kAreaOutputs;
  const GeneratorResult german = Generate(p);
  ASSERT_TRUE(german.ok());
  EXPECT_EQ(Column(german, &SymbolRow::address), (std::vector<std::string>{"A  7.7", "A  8.0", "A  8.1"}));
  EXPECT_EQ(Column(german, &SymbolRow::symbol), (std::vector<std::string>{"S16.6", "S16.7", "S17.0"}));
  EXPECT_EQ(Column(german, &SymbolRow::type), (std::vector<std::string>{"Bool", "Bool", "Bool"}));
  const GeneratorResult english = GenerateSymbols(p, EnglishMnemonicSet());
  EXPECT_EQ(english.symbols[0].address, "Q  7.7");
  p.area = kAreaInputs;
  EXPECT_EQ(GenerateSymbols(p, EnglishMnemonicSet()).symbols[0].address, "I  7.7");
}

TEST(SymbolGeneratorTest, CountersStepAndWrapAsMachineIntegers) {
  SymbolParams p = Form();
  p.c1Start = "10";
  p.c1Step = "-4";
  p.c2Start = "2147483647";
  p.c2Step = "1";
  p.symbol = "S<C1>";
  p.comment = "<C2>";
  const GeneratorResult r = Generate(p);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(Column(r, &SymbolRow::symbol), (std::vector<std::string>{"S10", "S6", "S2"}));
  EXPECT_EQ(Column(r, &SymbolRow::comment), (std::vector<std::string>{"2147483647", "-2147483648", "-2147483647"}));
}

TEST(SymbolGeneratorTest, SequencesCycleAndCountC3) {
  const struct {
    const char* what;
    std::array<std::string, 4> t1;
    std::array<std::string, 4> t2;
    std::vector<std::string> symbols;  // "<C3><T1><T2>"
  } cases[] = {
      {"none: C3 counts every row", {}, {}, {"1", "2", "3", "4", "5"}},
      {"first empty, second filled: none count", {"", "b", "", ""}, {}, {"1", "2", "3", "4", "5"}},
      {"two", {"a", "b", "", ""}, {"x", "", "", ""}, {"1ax", "1b", "2ax", "2b", "3ax"}},
      {"three, T2 only in the third", {"a", "b", "", ""}, {"", "", "z", ""}, {"1a", "1b", "1z", "2a", "2b"}},
      {"four", {"a", "b", "c", "d"}, {}, {"1a", "1b", "1c", "1d", "2a"}},
  };
  for (const auto& c : cases) {
    SymbolParams p = Form();
    p.count = "5";
    p.symbol = "<C3><T1><T2>";
    std::tie(p.t1Seq1, p.t1Seq2, p.t1Seq3, p.t1Seq4) = std::tie(c.t1[0], c.t1[1], c.t1[2], c.t1[3]);
    std::tie(p.t2Seq1, p.t2Seq2, p.t2Seq3, p.t2Seq4) = std::tie(c.t2[0], c.t2[1], c.t2[2], c.t2[3]);
    const GeneratorResult r = Generate(p);
    ASSERT_TRUE(r.ok()) << c.what;
    EXPECT_EQ(Column(r, &SymbolRow::symbol), c.symbols) << c.what;
  }
}

TEST(SymbolGeneratorTest, SymbolWithoutPlaceholdersRepeats) {
  SymbolParams p = Form();
  p.symbol = "Gleich";
  EXPECT_EQ(Column(Generate(p), &SymbolRow::symbol), (std::vector<std::string>{"Gleich", "Gleich", "Gleich"}));
}

TEST(SymbolGeneratorTest, LengthLimitsAreInclusive) {
  const struct {
    std::size_t symbolLength;
    std::size_t commentLength;
    int code;
  } cases[] = {{24, 80, 0}, {25, 80, 17}, {24, 81, 18}, {25, 81, 17}, {0, 0, 0}};
  for (const auto& c : cases) {
    SymbolParams p = Form();
    p.symbol = std::string(c.symbolLength, 's');
    p.comment = std::string(c.commentLength, 'k');
    EXPECT_EQ(Generate(p).errorCode, c.code) << c.symbolLength << "/" << c.commentLength;
  }
}

TEST(SymbolGeneratorTest, InterfaceExampleCommentsEndWithABlank) {
  const GeneratorResult r = Generate(SymbolExampleInterface());
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.symbols.size(), 10u);
  for (const auto& row : r.symbols) {
    EXPECT_TRUE(row.comment.ends_with(" / ")) << row.comment;
    EXPECT_EQ(row.comment.find("  / Roboter"), row.comment.find(' ', 9)) << "two blanks after the address";
  }
  EXPECT_EQ(r.symbols[9], (SymbolRow{"E1.1_Rob_A10", "E  1.1", "Bool", "Eingang E1.1  / Roboter Ausgang 10 / "}));
}

TEST(ExpandPlaceholdersTest, ReplacesKnownPlaceholdersOnly) {
  SymbolRunState s;
  s.a1Byte = 7;
  s.a1Bit = 7;
  s.a2Byte = -1;
  s.a2Bit = 3;
  s.c1 = 42;
  s.c2 = -5;
  s.c3 = 0;
  s.sequenceIndex = 2;
  s.sequenceCount = 2;
  s.t1 = {"eins", "<C1>", "", ""};
  s.t2 = {"", "<T2>", "", ""};
  const struct {
    const char* pattern;
    const char* expanded;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"<A1>", "7.7"},
      {"<A2>", "-1.3"},
      {"<C1><C2><C3>", "42-50"},
      {"<a1>", "<a1>"},
      {"<X>", "<X>"},
      {"<", "<"},
      {"a<b", "a<b"},
      {"<<A1>", "<7.7"},
      {"<A1", "<A1"},
      {"<A3>", "<A3>"},
      {"<C4>", "<C4>"},
      {"<T3>", "<T3>"},
      {"<A1><A1>x<A1>", "7.77.7x7.7"},
      {"<T1>|<T2>", "<C1>|<T2>"},  // inserted texts are not scanned again
      {"<<<C1>>>", "<<42>>"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandPlaceholders(c.pattern, s), c.expanded) << c.pattern;
}

TEST(SequenceCountTest, CountsLeadingSequencesWithAText) {
  using A = std::array<std::string, 4>;
  const struct {
    A t1;
    A t2;
    int count;
  } cases[] = {{{}, {}, 0},
               {{"a", "", "", ""}, {}, 1},
               {{}, {"", "b", "", ""}, 0},
               {{"a", "", "", "d"}, {"", "", "", ""}, 1},
               {{"a", "", "c", ""}, {"", "b", "", ""}, 3},
               {{"a", "b", "c", "d"}, {}, 4}};
  for (const auto& c : cases) EXPECT_EQ(SequenceCount(c.t1, c.t2), c.count);
}

}  // namespace
}  // namespace brendax
