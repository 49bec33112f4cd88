#include "datablocks/db_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brendax {
namespace {

DbSourceParams Defaults() { return DefaultsOf(DbSourceFields()); }

// The variable lines only: between "  STRUCT" and "  END_STRUCT ;".
std::vector<std::string> Variables(const GeneratorResult& result) {
  if (result.lines.size() < 9) return {};
  return {result.lines.begin() + 5, result.lines.end() - 4};
}

// ---------------------------------------------------------------- checks

struct BadValue {
  const char* what;
  void (*apply)(DbSourceParams&);
  int code;
  const char* box;
};

const BadValue kBadValues[] = {
    {"number not an integer", [](DbSourceParams& p) { p.dbNumber = "abc"; }, 4,
     "Fehler: 4 / Fehler im Feld \"DB-Nummer\" !"},
    {"number empty", [](DbSourceParams& p) { p.dbNumber = ""; }, 4, "Fehler: 4 / Fehler im Feld \"DB-Nummer\" !"},
    {"number with a trailing blank", [](DbSourceParams& p) { p.dbNumber = "5 "; }, 4,
     "Fehler: 4 / Fehler im Feld \"DB-Nummer\" !"},
    {"number 0", [](DbSourceParams& p) { p.dbNumber = "0"; }, 5, "Fehler: 5 / Fehler im Feld \"DB-Nummer\" !"},
    {"number 10001", [](DbSourceParams& p) { p.dbNumber = "10001"; }, 6, "Fehler: 6 / Fehler im Feld \"DB-Nummer\" !"},
    {"start 1024", [](DbSourceParams& p) { p.start = "1024"; }, 10,
     "Fehler: 10 / Fehler im Feld \"Startadresse/ Startnummer\" !"},
    {"start -1", [](DbSourceParams& p) { p.start = "-1"; }, 10,
     "Fehler: 10 / Fehler im Feld \"Startadresse/ Startnummer\" !"},
    {"start empty", [](DbSourceParams& p) { p.start = ""; }, 10,
     "Fehler: 10 / Fehler im Feld \"Startadresse/ Startnummer\" !"},
    {"count 0", [](DbSourceParams& p) { p.count = "0"; }, 20, "Fehler: 20 / Fehler im Feld \"Anzahl Variablen\""},
    {"count 32769", [](DbSourceParams& p) { p.count = "32769"; }, 20,
     "Fehler: 20 / Fehler im Feld \"Anzahl Variablen\""},
    {"count x", [](DbSourceParams& p) { p.count = "x"; }, 20, "Fehler: 20 / Fehler im Feld \"Anzahl Variablen\""},
    {"Bool initial value 2", [](DbSourceParams& p) { p.initialValue = "2"; }, 30,
     "Fehler: 30 / Fehler im Feld \"Anfangswertzuweisung\" !"},
    {"Bool initial value wahr", [](DbSourceParams& p) { p.initialValue = "wahr"; }, 30,
     "Fehler: 30 / Fehler im Feld \"Anfangswertzuweisung\" !"},
    {"number decides before start",
     [](DbSourceParams& p) {
       p.dbNumber = "0";
       p.start = "2000";
     },
     5, "Fehler: 5 / Fehler im Feld \"DB-Nummer\" !"},
    {"start decides before count",
     [](DbSourceParams& p) {
       p.start = "2000";
       p.count = "0";
     },
     10, "Fehler: 10 / Fehler im Feld \"Startadresse/ Startnummer\" !"},
    {"count decides before initial value",
     [](DbSourceParams& p) {
       p.count = "0";
       p.initialValue = "2";
     },
     20, "Fehler: 20 / Fehler im Feld \"Anzahl Variablen\""},
};

TEST(DbSourceTest, EveryBadValueGivesItsCodeAndMessageAndNoLines) {
  for (const auto& c : kBadValues) {
    SCOPED_TRACE(c.what);
    DbSourceParams p = Defaults();
    c.apply(p);
    const GeneratorResult r = GenerateDbSource(p);
    EXPECT_EQ(r.errorCode, c.code);
    EXPECT_EQ(ErrorBoxText(r), c.box);
    EXPECT_TRUE(r.lines.empty());
    EXPECT_TRUE(r.symbols.empty());
  }
}

TEST(DbSourceTest, BoundsAreAcceptedAndNumbersAreWrittenFromTheirValue) {
  struct Case {
    const char* dbNumber;
    const char* start;
    const char* count;
    const char* head;
    const char* firstVariable;
  } cases[] = {
      {"10000", "1023", "32768", "DATA_BLOCK DB10000", "   Y1023_0 : BOOL := FALSE;   //  Y1023.0"},
      {"1", "0", "1", "DATA_BLOCK DB1", "   Y000_0 : BOOL := FALSE;   //  Y000.0"},
      {"$10", "$A", "1", "DATA_BLOCK DB16", "   Y010_0 : BOOL := FALSE;   //  Y010.0"},
      {" +0005", "007", "1", "DATA_BLOCK DB5", "   Y007_0 : BOOL := FALSE;   //  Y007.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dbNumber);
    DbSourceParams p = Defaults();
    p.dbNumber = c.dbNumber;
    p.start = c.start;
    p.count = c.count;
    p.suffixes.clear();
    const GeneratorResult r = GenerateDbSource(p);
    ASSERT_TRUE(r.ok()) << r.errorMessage;
    EXPECT_EQ(r.lines.front(), c.head);
    EXPECT_EQ(r.lines[5], c.firstVariable);
  }
}

TEST(DbSourceTest, LargestBlockStartsAtTheStartAndGoesPastAddress1023) {
  DbSourceParams p = Defaults();
  p.type = 12;  // Date_And_Time
  p.start = "1023";
  p.count = "32768";
  p.suffixes.clear();
  p.initialValue = ProposedInitialValue(p.type);
  const GeneratorResult r = GenerateDbSource(p);
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.lines.size(), 32768u + 9u);
  EXPECT_EQ(r.lines[5], "   Y1023 : DT := DT#1995-02-02-08:30:01.999;   //  Y1023");
  EXPECT_EQ(r.lines[5 + 32767], "   Y263159 : DT := DT#1995-02-02-08:30:01.999;   //  Y263159");
}

// ---------------------------------------------------------------- values

TEST(DbSourceTest, InitialValueAssignments) {
  struct Case {
    int type;
    const char* typed;
    const char* line;
  } cases[] = {
      {kDbTypeBool, "true", "   Y000_0 : BOOL := TRUE;   //  Y000.0"},
      {kDbTypeBool, "TrUe", "   Y000_0 : BOOL := TRUE;   //  Y000.0"},
      {kDbTypeBool, " 1 ", "   Y000_0 : BOOL := TRUE;   //  Y000.0"},
      {kDbTypeBool, "False", "   Y000_0 : BOOL := FALSE;   //  Y000.0"},
      {kDbTypeBool, "0", "   Y000_0 : BOOL := FALSE;   //  Y000.0"},
      {kDbTypeBool, "   ", "   Y000_0 : BOOL;   //  Y000.0"},
      {kDbTypeBool, "", "   Y000_0 : BOOL;   //  Y000.0"},
      {3, "  W#16#FF ", "   Y000 : WORD := W#16#FF;   //  Y000"},
      {5, "irgendwas", "   Y000 : INT := irgendwas;   //  Y000"},
      {2, "", "   Y000 : CHAR;   //  Y000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    DbSourceParams p = Defaults();
    p.type = c.type;
    p.initialValue = c.typed;
    p.count = "1";
    p.suffixes.clear();
    const GeneratorResult r = GenerateDbSource(p);
    ASSERT_TRUE(r.ok()) << r.errorMessage;
    EXPECT_EQ(Variables(r), (std::vector<std::string>{c.line}));
  }
}

// Each type with the value proposed for it: the declared name, and the
// element size as the step between the first two addresses.
TEST(DbSourceTest, EveryTypeWithItsProposedValue) {
  const char* const expected[][2] = {
      {"Y0_0 : BOOL := FALSE;   //  Y0.0", "Y0_1 : BOOL := FALSE;   //  Y0.1"},
      {"Y0 : BYTE := B#16#0;   //  Y0", "Y1 : BYTE := B#16#0;   //  Y1"},
      {"Y0 : CHAR := '*';   //  Y0", "Y1 : CHAR := '*';   //  Y1"},
      {"Y0 : WORD := W#16#0;   //  Y0", "Y2 : WORD := W#16#0;   //  Y2"},
      {"Y0 : DWORD := DW#16#0;   //  Y0", "Y4 : DWORD := DW#16#0;   //  Y4"},
      {"Y0 : INT := 0;   //  Y0", "Y2 : INT := 0;   //  Y2"},
      {"Y0 : DINT := L#0;   //  Y0", "Y4 : DINT := L#0;   //  Y4"},
      {"Y0 : REAL := 0.0;   //  Y0", "Y4 : REAL := 0.0;   //  Y4"},
      {"Y0 : S5TIME := S5T#30S;   //  Y0", "Y2 : S5TIME := S5T#30S;   //  Y2"},
      {"Y0 : TIME := T#30S;   //  Y0", "Y4 : TIME := T#30S;   //  Y4"},
      {"Y0 : DATE := D#1990-01-01;   //  Y0", "Y2 : DATE := D#1990-01-01;   //  Y2"},
      {"Y0 : TOD := TOD#00:00:00.000;   //  Y0", "Y4 : TOD := TOD#00:00:00.000;   //  Y4"},
      {"Y0 : DT := DT#1995-02-02-08:30:01.999;   //  Y0", "Y8 : DT := DT#1995-02-02-08:30:01.999;   //  Y8"},
  };
  ASSERT_EQ(DbSourceTypes().size(), std::size(expected));
  for (int type = 0; type < static_cast<int>(std::size(expected)); ++type) {
    SCOPED_TRACE(DbSourceTypes()[static_cast<std::size_t>(type)].entry);
    DbSourceParams p = Defaults();
    p.type = type;
    p.count = "2";
    p.digitFormat = 0;
    p.suffixes.clear();
    p.initialValue = ProposedInitialValue(type);
    const GeneratorResult r = GenerateDbSource(p);
    ASSERT_TRUE(r.ok()) << r.errorMessage;
    EXPECT_EQ(Variables(r), (std::vector<std::string>{std::string("   ") + expected[type][0],
                                                      std::string("   ") + expected[type][1]}));
  }
  EXPECT_EQ(ProposedInitialValue(13), "");
}

// ---------------------------------------------------------------- names

struct NamingCase {
  const char* what;
  int type;
  int nameFrom;
  const char* start;
  int digitFormat;
  const char* suffixes;
  int count;
  std::vector<std::string> names;  // name and comment name of each line, "name|comment"
};

std::vector<std::string> NamesOf(const GeneratorResult& r) {
  std::vector<std::string> names;
  for (const auto& line : Variables(r)) {
    const auto colon = line.find(" : ");
    const auto comment = line.find("//  ");
    names.push_back(line.substr(3, colon - 3) + "|" + line.substr(comment + 4));
  }
  return names;
}

TEST(DbSourceTest, NamingRules) {
  const NamingCase cases[] = {
      {"Bool bits past bit 7",
       kDbTypeBool,
       kDbNameFromAddress,
       "0",
       0,
       "",
       10,
       {"Y0_0|Y0.0", "Y0_1|Y0.1", "Y0_2|Y0.2", "Y0_3|Y0.3", "Y0_4|Y0.4", "Y0_5|Y0.5", "Y0_6|Y0.6", "Y0_7|Y0.7",
        "Y1_0|Y1.0", "Y1_1|Y1.1"}},
      {"Bool bits with suffixes",
       kDbTypeBool,
       kDbNameFromAddress,
       "9",
       1,
       "an\r\naus",
       3,
       {"Y09_0an|Y09.0an", "Y09_1aus|Y09.1aus", "Y09_2an|Y09.2an"}},
      {"address, Date_And_Time in steps of 8",
       12,
       kDbNameFromAddress,
       "0",
       0,
       "",
       4,
       {"Y0|Y0", "Y8|Y8", "Y16|Y16", "Y24|Y24"}},
      {"address, suffix independent of the address",
       4,
       kDbNameFromAddress,
       "100",
       2,
       "a\r\nb\r\nc",
       4,
       {"Y100a|Y100a", "Y104b|Y104b", "Y108c|Y108c", "Y112a|Y112a"}},
      {"address, start 1023 runs past it",
       3,
       kDbNameFromAddress,
       "1023",
       0,
       "",
       3,
       {"Y1023|Y1023", "Y1025|Y1025", "Y1027|Y1027"}},
      {"number, no suffix", 5, kDbNameFromNumber, "7", 2, "", 3, {"Y007|Y007", "Y008|Y008", "Y009|Y009"}},
      {"number, one suffix line", 5, kDbNameFromNumber, "7", 2, "x", 3, {"Y007x|Y007x", "Y008x|Y008x", "Y009x|Y009x"}},
      {"number, two suffix lines",
       5,
       kDbNameFromNumber,
       "7",
       2,
       "einf\r\nausf",
       4,
       {"Y007einf|Y007einf", "Y007ausf|Y007ausf", "Y008einf|Y008einf", "Y008ausf|Y008ausf"}},
      {"number, three suffix lines",
       kDbTypeBool,
       kDbNameFromNumber,
       "0",
       0,
       "a\r\nb\r\nc",
       7,
       {"Y0a|Y0a", "Y0b|Y0b", "Y0c|Y0c", "Y1a|Y1a", "Y1b|Y1b", "Y1c|Y1c", "Y2a|Y2a"}},
      {"number, an empty line in the sequence",
       5,
       kDbNameFromNumber,
       "1",
       0,
       "\r\nb\r\n",
       3,
       {"Y1|Y1", "Y1b|Y1b", "Y2|Y2"}},
      {"digit count 1, longer numbers are not cut", 5, kDbNameFromNumber, "1023", 0, "", 1, {"Y1023|Y1023"}},
      {"digit count 6", 1, kDbNameFromAddress, "12", 5, "", 2, {"Y000012|Y000012", "Y000013|Y000013"}},
      {"digit count 6 with Bool bits", kDbTypeBool, kDbNameFromAddress, "3", 5, "", 1, {"Y000003_0|Y000003.0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DbSourceParams p = Defaults();
    p.type = c.type;
    p.nameFrom = c.nameFrom;
    p.start = c.start;
    p.digitFormat = c.digitFormat;
    p.suffixes = c.suffixes;
    p.count = std::to_string(c.count);
    p.initialValue = "";
    const GeneratorResult r = GenerateDbSource(p);
    ASSERT_TRUE(r.ok()) << r.errorMessage;
    EXPECT_EQ(NamesOf(r), c.names);
  }
}

TEST(DbSourceTest, PrefixAndSuffixGoInAsTyped) {
  DbSourceParams p = Defaults();
  p.prefix = " M\xFC ";
  p.suffixes = "\xE4 b";
  p.count = "1";
  p.type = 1;
  p.initialValue = "";
  const GeneratorResult r = GenerateDbSource(p);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(Variables(r), (std::vector<std::string>{"    M\xFC 000\xE4 b : BYTE;   //   M\xFC 000\xE4 b"}));
}

TEST(DbSourceTest, SuffixLinesAreCountedAsTheMemoCountsThem) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
      {"\r\n\r\nc", {"", "", "c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DbSourceSuffixLines(c.text), c.lines);
    EXPECT_EQ(DbSourceSuffixLines(DbSourceSuffixText(c.lines)), c.lines);
  }
}

}  // namespace
}  // namespace brendax
