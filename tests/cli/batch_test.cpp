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
      {R"({"runs": [{"generator": "db"}]})", "the job writes no file"},
      {R"({"source": "job.json", "runs": [{"generator": "db"}]})", "\"source\" is the job file itself"},
      {R"({"source": "a.awl", "symbols": "image.bin", "runs": [{"generator": "db-image", "options": {"file": "image.bin"}}]})",
       "\"symbols\" is the file run 1 (db-image) reads"},
      {R"({"source": "a.awl", "symbols": "b.sdf", "symbol-table": "b.sdf", "runs": [{"generator": "db"}]})",
       "\"symbols\" is the symbol table"},
      {R"({"source": "a.awl", "merge": true, "runs": [{"generator": "db"}]})", "\"merge\" needs"},
      {R"({"source": "a.awl", "merge": "yes", "runs": [{"generator": "db"}]})", "\"merge\" must be true or false"},
      // An ill-formed UTF-8 byte and a control character in a name are shown escaped.
      {"{\"source\": \"a.awl\", \"runs\": [{\"generator\": \"\xFF\"}]}", "ill-formed UTF-8 byte; last read: '\"\\xFF'"},
      {R"({"source": "a.awl", "runs": [{"generator": "db", "options": {"fo\u001bo": "1"}}]})",
       "unknown option --fo\\x1Bo"},
  };
  Write("image.bin", "AB");
  for (const auto& c : cases) {
    const std::string job = Write("job.json", c.job);
    const CliRun run = RunCli({"batch", job});
    EXPECT_EQ(run.status, 2) << c.job << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\xFF'), std::string::npos);
    EXPECT_FALSE(Exists("a.awl"));
    EXPECT_EQ(ReadFileBytes(dir_ + "/image.bin"), "AB");
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

// A job's values are the fields' texts: the generators' own checks refuse
// what a field cannot hold.
TEST_F(BatchTest, JobValuesGoThroughTheGeneratorsChecks) {
  struct Case {
    std::string runs;
    std::string message;
  } cases[] = {
      {R"([{"generator": "db", "options": {"prefix": "X\r\nEND_DATA_BLOCK\r\n"}}])",
       "run 1 (db): Fehler: 80 / Steuerzeichen im Feld \"Namenskürzel (vorn)\" !"},
      {R"([{"generator": "step-simple"}, {"generator": "symbols", "options": {"symbol": "\r\n<A1>\t"}}])",
       "run 2 (symbols): Error: 80 / Steuerzeichen im Feld \"Symbol\" !"},
      {R"([{"generator": "db", "options": {"prefix": "Ein_sehr_langer_Name_X"}}])",
       "run 1 (db): Fehler: 81 / Name länger als 24 Zeichen aus Feld \"Namenskürzel (vorn)\" !"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunJob(c.runs);
    EXPECT_EQ(run.status, 1) << c.runs;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("src.awl"));
  }
}

// A job from standard input: relative paths from the working folder; a job
// of symbols only writes the symbol file alone.
TEST_F(BatchTest, JobFromStandardInputAndJobOfSymbolsOnly) {
  const std::string job =
      R"({"symbols": "nur.seq", "runs": [{"generator": "symbols", "options": {"example": "cylinder"}},
      {"generator": "step-simple", "options": {"fc-number": "81"}}]})";
  const CliRun run = RunCliIn(dir_, {"batch", "-"}, job);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "nur.seq: 11 rows\n");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"nur.seq"});
  EXPECT_EQ(Lines(ReadFileBytes(dir_ + "/nur.seq")).back(), "\tFC 81\tFC_Schrittkette\tFC_Schrittkette");

  const CliRun notJson = RunCliIn(dir_, {"batch", "-"}, "source: a.awl");
  EXPECT_EQ(notJson.status, 2);
  EXPECT_NE(notJson.err.find("standard input: not valid JSON at line 1, column 1"), std::string::npos) << notJson.err;
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"nur.seq"});
}

// --check generates in memory and compares: equal files give 0 and no
// output; a changed or missing file its first difference as a unified diff;
// nothing is ever written.
TEST_F(BatchTest, CheckComparesWithTheFilesOnDisk) {
  const std::string runs = R"([{"generator": "db", "options": {"count": "20", "type": "Int"}},
      {"generator": "step-simple", "options": {"fc-number": "81", "fc-name": "Kette_B"}}])";
  ASSERT_EQ(RunJob(runs).status, 0);
  const std::string job = dir_ + "/job.json";
  const CliRun same = RunCli({"batch", "--check", job});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out, "");

  std::string source = Source();
  const std::size_t at = source.find("Y010 : INT := 0;");
  ASSERT_NE(at, std::string::npos);
  source.replace(at, 16, "Y010 : INT := 7;");
  WriteFileBytes(dir_ + "/src.awl", source);
  std::filesystem::remove(dir_ + "/syms.tsv");
  const std::vector<std::string> before = FolderNames(dir_);
  const CliRun changed = RunCli({"batch", "--check", job});
  EXPECT_EQ(changed.status, 1) << changed.err;
  EXPECT_NE(changed.out.find("--- " + dir_ + "/src.awl\t(on disk)\n+++ " + dir_ + "/src.awl\t(generated)\n@@ -"),
            std::string::npos)
      << changed.out;
  EXPECT_NE(changed.out.find("\n-   Y010 : INT := 7;   //  Y010\n+   Y010 : INT := 0;   //  Y010\n"), std::string::npos)
      << changed.out;
  EXPECT_NE(changed.out.find("--- " + dir_ + "/syms.tsv\t(missing)\n"), std::string::npos) << changed.out;
  EXPECT_NE(changed.out.find("+Kette_B\tFC 81\tFC 81\tKette_B\n"), std::string::npos) << changed.out;
  EXPECT_EQ(FolderNames(dir_), before);
  EXPECT_EQ(Source(), source);
}

// The project's symbol table is read first: a new row that disagrees with it
// refuses the job naming the run and the table's line; with "merge" the
// symbol file is the table and the new rows it lacks.
TEST_F(BatchTest, SymbolTableOfTheProject) {
  const std::string table =
      "\"Start                   \",\"E 0.0       \",\"Bool      \",\"Taster\"\r\n"
      "\r\n"
      "\"Kette_A                 \",\"FC 80       \",\"FC 80     \",\"\"\r\n";
  Write("projekt.sdf", table);
  const std::string stepA = R"({"generator": "step-simple", "options": {"fc-number": "80", "fc-name": "Kette_A"}})";
  struct Case {
    std::string runs;
    std::string extra;
    int status;
    std::string message;
  } cases[] = {
      {"[" + stepA + R"(, {"generator": "step-simple", "options": {"fc-number": "81", "fc-name": "Start"}}])", "", 1,
       "run 2 (step-simple): \"Start\" (FC 81) collides with " + dir_ + "/projekt.sdf line 1: \"Start\" (E 0.0)"},
      {R"([{"generator": "step-simple", "options": {"fc-number": "80", "fc-name": "Kette_X"}}])", "", 1,
       "run 1 (step-simple): \"Kette_X\" (FC 80) collides with " + dir_ + "/projekt.sdf line 3: \"Kette_A\" (FC 80)"},
      {"[" + stepA + "]", R"(, "symbol-table": "fehlt.sdf")", 2, "Cannot read " + dir_ + "/fehlt.sdf: No such file"},
      {"[" + stepA + "]", R"(, "symbol-table": "kaputt.sdf")", 2,
       dir_ + "/kaputt.sdf: line 2: not a row of the SDF table"},
  };
  Write("kaputt.sdf", "\"A\",\"E 1.0\",\"\",\"\"\r\nA\tE 1.1\r\n");
  for (const auto& c : cases) {
    const std::string extra = c.extra.empty() ? R"(, "symbol-table": "projekt.sdf")" : c.extra;
    const CliRun run = RunJob(c.runs, "tsv", extra);
    EXPECT_EQ(run.status, c.status) << c.runs;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("src.awl"));
  }
  // Merged into the table itself: its rows, then the new ones; a row it holds is not repeated.
  const std::string job =
      Write(
          "job.json", R"({"source": "src.awl", "symbols": "projekt.sdf", "symbol-table": "projekt.sdf", "merge": true,
          "runs": [)" + stepA +
                          R"(, {"generator": "step-simple", "options": {"fc-number": "81", "fc-name": "Kette_B"}}]})");
  const CliRun merged = RunCli({"batch", job});
  ASSERT_EQ(merged.status, 0) << merged.err;
  const std::vector<std::string> rows = Lines(ReadFileBytes(dir_ + "/projekt.sdf"));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[0].starts_with("\"Start ")) << rows[0];
  EXPECT_TRUE(rows[1].starts_with("\"Kette_A ")) << rows[1];
  EXPECT_TRUE(rows[2].starts_with("\"Kette_B ")) << rows[2];
  EXPECT_EQ(RunCli({"batch", "--check", job}).status, 0) << "merging again changes nothing";
}

}  // namespace
}  // namespace brendax::testing
