// The batch subcommand: one source file in one-pass order and one symbol
// file from a job of several runs, all or nothing; and the symbol file
// formats of every generator that writes rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // Runs a job of the given runs (a JSON array's text) writing src.awl and syms.<format>.
  CliRun RunJob(const std::string& runs, const std::string& format = "tsv", const std::string& extra = "") const {
    const std::string job =
        Write("job.json", "{\"source\": \"src.awl\", \"symbols\": \"syms." + format + "\", \"symbols-format\": \"" +
                              format + "\"" + extra + ", \"runs\": " + runs + "}");
    return RunCli({"batch", job});
  }
  std::string Source() const { return ReadFileBytes(dir_ + "/src.awl"); }
  std::string Symbols(const std::string& format = "tsv") const { return ReadFileBytes(dir_ + "/syms." + format); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ + "/" + name); }

  std::string dir_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The block headers of a source, in order.
std::vector<std::string> Headers(const std::string& source) {
  std::vector<std::string> headers;
  for (const std::string& line : Lines(source)) {
    for (const char* word : {"TYPE ", "DATA_BLOCK ", "FUNCTION "})
      if (line.starts_with(word)) headers.push_back(line);
  }
  return headers;
}

TEST_F(BatchTest, EveryBlockGeneratorInOnePassOrder) {
  Write("image.bin", "AB");
  const std::string runs = R"([
      {"generator": "step-simple", "options": {"fc-number": "80", "fc-name": "Kette_A", "count": "3"}},
      {"generator": "db", "options": {"db-number": "5", "count": "2", "suffix": ["einf", "ausf"]}},
      {"generator": "message-db", "options": {"number": "12", "count": "3", "variant": "udt-ack"}},
      {"generator": "step-extended", "options": {"fc-number": "81", "timers": "on", "timer-fc-number": "82"}},
      {"generator": "db-image", "options": {"file": "image.bin", "db-number": "7"}},
      {"generator": "target-actual-db", "options": {"variants": "2"}},
      {"generator": "symbols", "options": {"example": "interface"}}])";
  const CliRun run = RunJob(runs);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, dir_ + "/src.awl: 9 blocks\n" + dir_ + "/syms.tsv: 14 rows\n");
  // Types first, then data blocks, then functions; the job's order inside each.
  const std::vector<std::string> expectedHeaders = {"TYPE UDT12",
                                                    "DATA_BLOCK DB5",
                                                    "DATA_BLOCK DB12",
                                                    "DATA_BLOCK \"DB_Schrittkette\"",
                                                    "DATA_BLOCK DB7",
                                                    "DATA_BLOCK DB1",
                                                    "FUNCTION \"Kette_A\" : VOID",
                                                    "FUNCTION \"FC_Schritttimer\" : VOID",
                                                    "FUNCTION \"FC_Schrittkette\" : VOID"};
  EXPECT_EQ(Headers(Source()), expectedHeaders);
  EXPECT_NE(run.err.find("run 4 (step-extended): Der Baustein"), std::string::npos) << "notices name their run";

  // Every run's own text is in the source, and the rows are every run's rows in job order.
  std::string rows;
  std::vector<std::string> allLines;
  const std::vector<std::vector<std::string>> alone = {
      {"step-simple", "--fc-number", "80", "--fc-name", "Kette_A", "--count", "3"},
      {"db", "--db-number", "5", "--count", "2", "--suffix", "einf", "--suffix", "ausf"},
      {"message-db", "--number", "12", "--count", "3", "--variant", "udt-ack"},
      {"step-extended", "--fc-number", "81", "--timers", "on", "--timer-fc-number", "82"},
      {"db-image", dir_ + "/image.bin", "--db-number", "7"},
      {"target-actual-db", "--variants", "2"},
      {"symbols", "--example", "interface"}};
  for (std::vector<std::string> args : alone) {
    const std::string rowFile = dir_ + "/alone.tsv";
    std::filesystem::remove(rowFile);
    args.insert(args.end(), {"--symbols", rowFile});
    const CliRun single = RunCli(args);
    ASSERT_EQ(single.status, 0) << args.front() << single.err;
    if (args.front() != "symbols") {
      for (const std::string& line : Lines(single.out)) allLines.push_back(line);
      rows += ReadFileBytes(rowFile);
    } else {
      rows += single.out;
    }
  }
  std::vector<std::string> sourceLines = Lines(Source());
  std::sort(sourceLines.begin(), sourceLines.end());
  std::sort(allLines.begin(), allLines.end());
  EXPECT_EQ(sourceLines, allLines);
  EXPECT_EQ(Symbols(), rows);
}

TEST_F(BatchTest, MnemonicsOfTheJobReachEveryRun) {
  const CliRun run =
      RunJob(R"([{"generator": "step-simple", "options": {"count": "2"}}])", "tsv", R"(, "mnemonics": "en")");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Source(), RunCli({"step-simple", "--count", "2", "--mnemonics", "en"}).out);
}

TEST_F(BatchTest, UmlautsAreWindows1252InBothFiles) {
  const CliRun run = RunJob(R"([{"generator": "db", "options": {"count": "1", "prefix": "Kühl"}},
      {"generator": "symbols", "options": {"example": "cylinder", "comment": "Türe <A1>"}}])");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Source().find("K\xFChl000_0 : BOOL"), std::string::npos) << Source();
  EXPECT_NE(Symbols().find("T\xFCre"), std::string::npos) << Symbols();
  EXPECT_EQ(Source().find("\xC3"), std::string::npos);
}

TEST_F(BatchTest, RefusedRunWritesNothing) {
  const std::string old = "bleibt\r\n";
  Write("src.awl", old);
  const CliRun run = RunJob(R"([{"generator": "db", "options": {"count": "2"}},
      {"generator": "step-simple", "options": {"count": "0"}},
      {"generator": "message-db", "options": {"count": "0"}}])");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("run 2 (step-simple): "), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("run 3"), std::string::npos) << "only the first refusal";
  EXPECT_EQ(Source(), old);
  EXPECT_FALSE(Exists("syms.tsv"));
}

TEST_F(BatchTest, TwoRunsWritingOneThingAreRefusedNamingBoth) {
  struct Case {
    std::string runs;
    std::string message;
  } cases[] = {
      {R"([{"generator": "db", "options": {"db-number": "100"}}, {"generator": "step-simple", "options": {}},
           {"generator": "db", "options": {"db-number": "0100", "type": "Int"}}])",
       "run 1 (db) and run 3 (db) both write the block \"DB 100\""},
      {R"([{"generator": "step-simple", "options": {"fc-number": "80"}},
           {"generator": "step-extended", "options": {"fc-number": "80"}}])",
       "run 1 (step-simple) and run 2 (step-extended) both write the block \"FC 80\""},
      {R"([{"generator": "symbols", "options": {"example": "cylinder"}},
           {"generator": "symbols", "options": {"example": "cylinder", "symbol": "Anders<A1>"}}])",
       "run 1 (symbols) and run 2 (symbols) both write the address"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunJob(c.runs);
    EXPECT_EQ(run.status, 1) << c.runs;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("src.awl"));
    EXPECT_FALSE(Exists("syms.tsv"));
  }
}

TEST_F(BatchTest, MalformedJobsAreUsageErrorsSayingWhere) {
  struct Case {
    std::string job;
    std::string message;
  } cases[] = {
      {"{\"source\": \"a.awl\",\n \"runs\": [\n  {\"generator\": \"db\",, }]}", "not valid JSON at line 3, column 22"},
      {R"({"source": "a.awl", "runs": [{"generator": "db"}, {"generator": "dbx"}]})", "run 2: unknown generator dbx"},
      {R"({"source": "a.awl", "runs": [{"generator": "db"}, {"generator": "db"},
          {"generator": "db", "options": {"foo": "1"}}]})",
       "run 3 (db): unknown option --foo"},
      {R"({"source": "a.awl", "runs": [{"generator": "db"}, {"generator": "pointer"}]})",
       "run 2: pointer generates no blocks"},
      {R"({"source": "a.awl", "runs": [{"generator": "db", "options": {"output": "x.awl"}}]})",
       "run 1 (db): option --output is set by the job"},
      {R"({"source": "a.awl", "runs": [{"generator": "db", "options": {"count": 3}}]})",
       "run 1 (db): option --count: the value must be a text"},
      {R"({"source": "a.awl", "runs": [{"generator": "db", "options": {"type": "Bit"}}]})", "run 1 (db): --type"},
      {R"({"source": "a.awl", "symbols": "a.awl", "runs": [{"generator": "db"}]})", "name the same file"},
      {R"({"source": "a.awl", "runs": []})", "\"runs\" must be a list"},
      {R"({"source": "a.awl", "symbol": "b.sdf", "runs": [{"generator": "db"}]})", "unknown member \"symbol\""},
  };
  for (const auto& c : cases) {
    const std::string job = Write("job.json", c.job);
    const CliRun run = RunCli({"batch", job});
    EXPECT_EQ(run.status, 2) << c.job << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("a.awl"));
  }
}

TEST_F(BatchTest, FailedWriteLeavesTheOtherFileUnwritten) {
  const std::string job =
      Write("job.json", R"({"source": "missing/src.awl", "symbols": "syms.sdf", "runs": [{"generator": "db"}]})");
  const CliRun run = RunCli({"batch", job});
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("src.awl"), std::string::npos) << run.err;
  EXPECT_FALSE(Exists("syms.sdf"));
}

std::string Pad(const std::string& text, std::size_t width) { return text + std::string(width - text.size(), ' '); }

// The rows of every generator that writes rows, in each file format, through
// --symbols-format: the first row exactly, the widths of every row.
TEST_F(BatchTest, SymbolFormatsOfEveryGeneratorWithRows) {
  const std::vector<std::string> stepSimple = {"step-simple", "--fc-number", "80"};
  const std::vector<std::string> stepExtended = {"step-extended", "--db-number", "100", "--fc-number", "7"};
  const std::vector<std::string> symbols = {"symbols", "--example", "cylinder"};
  struct Case {
    std::vector<std::string> args;
    std::string format;
    std::string firstRow;
  } cases[] = {
      {stepSimple, "tsv", "FC_Schrittkette\tFC 80\tFC 80\tFC_Schrittkette"},
      {stepSimple, "asc",
       "126," + Pad("FC_Schrittkette", 24) + "FC     80   " + Pad("FC 80", 10) + Pad("FC_Schrittkette", 80)},
      {stepSimple, "sdf",
       "\"" + Pad("FC_Schrittkette", 24) + "\",\"" + Pad("FC 80", 12) + "\",\"" + Pad("FC 80", 10) + "\",\"" +
           Pad("FC_Schrittkette", 80) + "\""},
      {stepSimple, "seq", "\tFC 80\tFC_Schrittkette\tFC_Schrittkette"},
      {stepExtended, "tsv", "FC_Schrittkette\tFC 7\tFC 7\tFC_Schrittkette"},
      {stepExtended, "asc",
       "126," + Pad("FC_Schrittkette", 24) + "FC      7   " + Pad("FC 7", 10) + Pad("FC_Schrittkette", 80)},
      {stepExtended, "sdf",
       "\"" + Pad("FC_Schrittkette", 24) + "\",\"" + Pad("FC 7", 12) + "\",\"" + Pad("FC 7", 10) + "\",\"" +
           Pad("FC_Schrittkette", 80) + "\""},
      {stepExtended, "seq", "\tFC 7\tFC_Schrittkette\tFC_Schrittkette"},
      {symbols, "tsv", "E50.0Zyl1ausg\tE  50.0\tBool\tZylinder 1 ausgefahren"},
      {symbols, "asc",
       "126," + Pad("E50.0Zyl1ausg", 24) + "E      50.0 " + Pad("Bool", 10) + Pad("Zylinder 1 ausgefahren", 80)},
      {symbols, "sdf",
       "\"" + Pad("E50.0Zyl1ausg", 24) + "\",\"" + Pad("E 50.0", 12) + "\",\"" + Pad("Bool", 10) + "\",\"" +
           Pad("Zylinder 1 ausgefahren", 80) + "\""},
      {symbols, "seq", "\tE 50.0\tE50.0Zyl1ausg\tZylinder 1 ausgefahren"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    const std::string file = dir_ + "/rows";
    args.insert(args.end(), {"--symbols", file, "--symbols-format", c.format, "-o", dir_ + "/text"});
    const CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> rows = Lines(ReadFileBytes(file));
    ASSERT_FALSE(rows.empty()) << c.format;
    EXPECT_EQ(rows.front(), c.firstRow) << c.args.front() << " " << c.format;
    // Fixed widths: "126," and 24 + 12 + 10 + 80; the same in quotes with commas.
    const std::size_t width = c.format == "asc" ? 130 : c.format == "sdf" ? 137 : 0;
    for (const std::string& row : rows) {
      if (width != 0) {
        EXPECT_EQ(row.size(), width) << row;
      }
    }
  }
}

// A job's symbol file in each format holds the rows of every run.
TEST_F(BatchTest, JobSymbolFileInEachFormat) {
  const std::string runs = R"([{"generator": "step-simple", "options": {"fc-number": "80", "fc-name": "Kette_A"}},
      {"generator": "symbols", "options": {"example": "cylinder", "comment": "Türe <A1>"}}])";
  for (const std::string format : {"tsv", "asc", "sdf", "seq"}) {
    const CliRun run = RunJob(runs, format);
    ASSERT_EQ(run.status, 0) << run.err;
    const CliRun alone = RunCli({"symbols", "--example", "cylinder", "--comment", "Türe <A1>", "--symbols-format",
                                 format, "-o", dir_ + "/alone"});
    ASSERT_EQ(alone.status, 0) << alone.err;
    const std::string symbols = Symbols(format);
    const std::string first = Lines(symbols).front();
    EXPECT_NE(first.find("Kette_A"), std::string::npos) << format;
    EXPECT_EQ(symbols.substr(first.size() + 2), ReadFileBytes(dir_ + "/alone")) << format;
    EXPECT_NE(symbols.find("T\xFCre"), std::string::npos) << format;
  }
}

}  // namespace
}  // namespace brendax::testing
