#include "core/symbol_table_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <utility>

namespace brendax {

void PrintTo(const SymbolRow& r, std::ostream* os) {
  *os << '{' << r.symbol << " | " << r.address << " | " << r.type << " | " << r.comment << '}';
}

namespace {

// Reads a written file back into rows, as the symbol table's import would.
std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> SplitAt(const std::string& line, char sep) {
  std::vector<std::string> cells;
  std::string cell;
  std::istringstream in(line);
  while (std::getline(in, cell, sep)) cells.push_back(cell);
  if (!line.empty() && line.back() == sep) cells.push_back("");
  return cells;
}

// The address as its plain form "E 10.3", whatever the file's layout.
std::string Plain(const std::string& cell) {
  if (const auto direct = ParseSymbolAddress(Trimmed(cell)))
    return direct->area + " " + direct->number + (direct->bit.empty() ? "" : "." + direct->bit);
  if (cell.size() < 4) return cell;
  const auto a = ParseSymbolAddress(Trimmed(cell.substr(0, 4)) + " " + [&] {
    std::string rest = cell.size() > 4 ? cell.substr(4) : "";
    rest.erase(0, rest.find_first_not_of(' '));
    return Trimmed(rest);
  }());
  if (!a) return Trimmed(cell);
  return a->area + " " + a->number + (a->bit.empty() ? "" : "." + a->bit);
}

std::vector<SymbolRow> ReadBack(const std::string& text, SymbolFileFormat format) {
  std::vector<SymbolRow> rows;
  for (const std::string& line : SplitCrLf(text)) {
    SymbolRow r;
    switch (format) {
      case SymbolFileFormat::kTsv: {
        const auto c = SplitAt(line, '\t');
        r = {c.at(0), c.at(1), c.at(2), c.at(3)};
        break;
      }
      case SymbolFileFormat::kAsc:
        EXPECT_EQ(line.size(), 130u) << line;
        EXPECT_EQ(line.substr(0, 4), "126,");
        r = {Trimmed(line.substr(4, 24)), Plain(line.substr(28, 12)), Trimmed(line.substr(40, 10)),
             Trimmed(line.substr(50, 80))};
        break;
      case SymbolFileFormat::kSdf: {
        const auto c = SplitAt(line, ',');
        EXPECT_EQ(c.size(), 4u) << line;
        const std::size_t widths[] = {24, 12, 10, 80};
        std::string cells[4];
        for (int i = 0; i < 4; ++i) {
          EXPECT_EQ(c.at(i).size(), widths[i] + 2) << c.at(i);
          cells[i] = Trimmed(c.at(i).substr(1, c.at(i).size() - 2));
        }
        r = {cells[0], cells[1], cells[2], cells[3]};
        break;
      }
      case SymbolFileFormat::kSeq: {
        const auto c = SplitAt(line, '\t');
        EXPECT_EQ(c.at(0), "");
        r = {c.at(2), c.at(1), "", c.at(3)};
        break;
      }
    }
    rows.push_back(r);
  }
  return rows;
}

const std::vector<SymbolRow> kRows = {
    {"E50.0Zyl1ausg", "E  50.0", "Bool", "Zylinder 1 ausgefahren"},
    {"FC_Schrittkette", "FC 80", "FC 80", "Schrittkette f\xFCr F\xF6rderband"},
    {"DB_Kette", "DB 100", "DB 100", ""},
    {"", "", "", ""},  // the blank rows after an error are left out
    {"M_PrgNr_Bit7", "M 65535.7", "Bool", "Programmnummer Bit 7"},
};

TEST(SymbolTableFile, FixedWidthLinesAreExact) {
  const std::string asc = FormatSymbolFile(kRows, SymbolFileFormat::kAsc);
  const auto lines = SplitCrLf(asc);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "126,E50.0Zyl1ausg           E      50.0 Bool      Zylinder 1 ausgefahren" + std::string(58, ' '));
  EXPECT_EQ(lines[1].substr(0, 50), "126,FC_Schrittkette         FC     80   FC 80     ");
  EXPECT_EQ(lines[1].substr(50, 27), "Schrittkette f\xFCr F\xF6rderband");  // Windows-1252 bytes
  EXPECT_EQ(lines[3].substr(28, 12), "M   65535.7 ");

  const std::string sdf = FormatSymbolFile({kRows[0]}, SymbolFileFormat::kSdf);
  EXPECT_EQ(sdf, "\"E50.0Zyl1ausg           \",\"E 50.0      \",\"Bool      \",\"Zylinder 1 ausgefahren" +
                     std::string(58, ' ') + "\"\r\n");
  EXPECT_EQ(FormatSymbolFile({kRows[1]}, SymbolFileFormat::kSeq),
            "\tFC 80\tFC_Schrittkette\tSchrittkette f\xFCr F\xF6rderband\r\n");
  EXPECT_EQ(FormatSymbolFile(kRows, SymbolFileFormat::kTsv).find("\t\t\t"), std::string::npos);
}

TEST(SymbolTableFile, OverlongFieldsAreCut) {
  const SymbolRow row{std::string(30, 'S'), "E 1.0", "Bool", std::string(90, 'k')};
  const auto asc = SplitCrLf(FormatSymbolFile({row}, SymbolFileFormat::kAsc));
  ASSERT_EQ(asc.size(), 1u);
  EXPECT_EQ(asc[0].size(), 130u);
  EXPECT_EQ(asc[0].substr(4, 24), std::string(24, 'S'));
  EXPECT_EQ(asc[0].substr(50), std::string(80, 'k'));
  EXPECT_EQ(AscAddress("irgendwas sehr langes"), "irgendwas se");
}

TEST(SymbolTableFile, EveryFormatReadsBackToTheRows) {
  std::vector<SymbolRow> expected;
  for (const auto& r : kRows)
    if (!r.symbol.empty()) expected.push_back({r.symbol, Plain(r.address), r.type, r.comment});
  for (auto format : {SymbolFileFormat::kTsv, SymbolFileFormat::kAsc, SymbolFileFormat::kSdf, SymbolFileFormat::kSeq}) {
    auto back = ReadBack(FormatSymbolFile(kRows, format), format);
    ASSERT_EQ(back.size(), expected.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
      back[i].address = Plain(back[i].address);
      SymbolRow want = expected[i];
      if (format == SymbolFileFormat::kSeq) want.type = "";
      EXPECT_EQ(back[i], want) << "format " << static_cast<int>(format) << " row " << i;
    }
  }
}

TEST(SymbolTableFile, WarningListsWhatTheImportWouldRefuse) {
  EXPECT_EQ(SymbolFileWarning(kRows), "");
  const std::vector<SymbolRow> bad = {
      {"A", "E  1.0", "Bool", ""}, {"", "E  1.1", "Bool", ""}, {std::string(25, 'x'), "E  1.2", "Bool", ""},
      {"A", "E  1.3", "Bool", ""}, {"B", "E 1.0", "Bool", ""},
  };
  EXPECT_EQ(SymbolFileWarning(bad),
            "Die Symboltabelle w\xFCrde beim Import abgewiesen:\r"
            "Zeile 2: Symbol fehlt\r"
            "Zeile 3: Symbol l\xE4nger als 24 Zeichen \"" +
                std::string(25, 'x') +
                "\"\r"
                "Zeile 1 und 4: gleiches Symbol \"A\"\r"
                "Zeile 1 und 5: gleiche Adresse \"E 1.0\"");
}

TEST(SymbolTableFile, FormatNames) {
  EXPECT_EQ(ParseSymbolFileFormat("asc"), SymbolFileFormat::kAsc);
  EXPECT_EQ(ParseSymbolFileFormat("ASC"), std::nullopt);
  EXPECT_EQ(SymbolFileFormatForName("x/Anlage.SDF"), SymbolFileFormat::kSdf);
  EXPECT_EQ(SymbolFileFormatForName("x.seq"), SymbolFileFormat::kSeq);
  EXPECT_EQ(SymbolFileFormatForName("x.txt"), SymbolFileFormat::kTsv);
  EXPECT_EQ(ParseSymbolAddress("E 1.10"), std::nullopt);
  EXPECT_EQ(ParseSymbolAddress("123"), std::nullopt);
}

// A project's table in each format is read back with its format and the
// line of every row; blank lines and a last line without its end count.
TEST(SymbolTableFile, TablesOfEveryFormatAreReadBack) {
  for (auto format : {SymbolFileFormat::kTsv, SymbolFileFormat::kAsc, SymbolFileFormat::kSdf, SymbolFileFormat::kSeq}) {
    std::string text = "\r\n" + FormatSymbolFile(kRows, format);
    text.resize(text.size() - 2);  // no line end after the last row
    const ParsedSymbolFile parsed = ParseSymbolFile(text);
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.format, format);
    EXPECT_EQ(parsed.lines, (std::vector<std::size_t>{2, 3, 4, 5}));
    ASSERT_EQ(parsed.rows.size(), 4u);
    EXPECT_EQ(parsed.rows[0].symbol, "E50.0Zyl1ausg");
    EXPECT_EQ(SymbolAddressKey(parsed.rows[0].address), "E 50.0");
    EXPECT_EQ(parsed.rows[1].comment, "Schrittkette f\xFCr F\xF6rderband");
    EXPECT_EQ(parsed.rows[3].type, format == SymbolFileFormat::kSeq ? "" : "Bool");
  }
  struct Bad {
    std::string text;
    std::string error;
  } bad[] = {
      {"\"A\",\"E 1.0\",\"Bool\",\"\"\n\"B\",\"E 1.1\"\n", "line 2: not a row of the SDF table"},
      {"A\tE 1.0\tBool\t\n\nB\tE 1.1\n", "line 3: not a row of the TAB table"},
      {"\tE 1.0\tA\t\n\tE 1.1\t\t\n", "line 2: the row has no symbol"},
      {"126,A                       irgendwo", "line 1: the row has no address"},
      {"126,A\n\"B\",\"E 1.0\",\"\",\"\"\n", "line 1: the row has no address"},
  };
  for (const auto& b : bad) EXPECT_EQ(ParseSymbolFile(b.text).error, b.error) << b.text;
}

TEST(SymbolTableFile, NewRowsCollideWithTheTableOrJoinIt) {
  const std::vector<SymbolRow> table = {{"Start", "E 0.0", "Bool", ""}, {"Stop", "E 0.1", "Bool", ""}};
  struct Case {
    std::vector<SymbolRow> rows;
    std::optional<std::pair<std::size_t, std::size_t>> collision;  // new row, table row
  } cases[] = {
      {{{"Neu", "E 1.0", "Bool", ""}, {"Start", "E  0.0", "Bool", "gleich"}}, std::nullopt},
      {{{"Neu", "E 1.0", "Bool", ""}, {"Stop", "E 1.1", "Bool", ""}}, std::pair{1u, 1u}},
      {{{"Anders", "e 00.0", "Bool", ""}}, std::pair{0u, 0u}},
  };
  for (const auto& c : cases) {
    const auto found = FindSymbolCollision(table, c.rows);
    ASSERT_EQ(found.has_value(), c.collision.has_value());
    if (found) {
      EXPECT_EQ(found->row, c.collision->first);
      EXPECT_EQ(found->tableRow, c.collision->second);
    }
  }
  const auto merged = MergeSymbolRows(table, cases[0].rows);
  ASSERT_EQ(merged.size(), 3u);
  EXPECT_EQ(merged[2].symbol, "Neu");
  EXPECT_EQ(merged[0].comment, "") << "the table's own row stays";
}

}  // namespace
}  // namespace brendax
