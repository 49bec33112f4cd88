// The db and message-db subcommands: each output mode, a refused run and a
// usage error.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

class DbCliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(DbCliTest, TextOnStandardOutputAndInAFile) {
  const std::string file = dir_ + "/db.awl";
  const CliRun toFile = RunCli({"db", "--count", "2", "--prefix", "Kühl", "--suffix", "ä", "-o", file});
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_TRUE(toFile.out.empty());
  const std::string expected = Ansi(
      "DATA_BLOCK DB1\r\nTITLE =\r\nVERSION : 0.1\r\n\r\n  STRUCT\r\n"
      "   Kühl000_0ä : BOOL := FALSE;   //  Kühl000.0ä\r\n"
      "   Kühl000_1ä : BOOL := FALSE;   //  Kühl000.1ä\r\n"
      "  END_STRUCT ;\r\nBEGIN\r\nEND_DATA_BLOCK\r\n\r\n");
  EXPECT_EQ(ReadFileBytes(file), expected);
  EXPECT_EQ(RunCli({"db", "--count", "2", "--prefix", "Kühl", "--suffix", "ä"}).out, expected);
  EXPECT_EQ(RunCli({"db", "--count", "2", "--prefix", "Kühl", "--suffix", "ä", "--encoding", "utf-8"}).out,
            Cp1252ToUtf8(expected));
}

TEST_F(DbCliTest, MnemonicsDoNotChangeADataBlock) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"db", "--type", "Word", "--count", "4"},
                                               std::vector<std::string>{"message-db", "--count", "40"}}) {
    std::vector<std::string> english = args;
    english.insert(english.end(), {"--mnemonics", "en"});
    EXPECT_EQ(RunCli(args).out, RunCli(english).out) << args.front();
  }
}

TEST_F(DbCliTest, InitialValueFollowsTheTypeUnlessGiven) {
  struct Case {
    std::vector<std::string> args;
    std::string line;
  } cases[] = {
      {{"db", "--count", "1", "--type", "Date_And_Time"}, "   Y000 : DT := DT#1995-02-02-08:30:01.999;   //  Y000"},
      {{"db", "--count", "1", "--type", "Char", "--name-from", "number"}, "   Y000 : CHAR := '*';   //  Y000"},
      {{"db", "--count", "1", "--type", "Int", "--initial-value", "-7"}, "   Y000 : INT := -7;   //  Y000"},
      {{"db", "--count", "1", "--type", "Real", "--initial-value", ""}, "   Y000 : REAL;   //  Y000"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\r\n" + c.line + "\r\n"), std::string::npos) << run.out;
  }
}

TEST_F(DbCliTest, SuffixLinesInTheGivenOrder) {
  const CliRun run = RunCli({"db", "--name-from", "number", "--digits", "1", "--count", "4", "--suffix", "c",
                             "--suffix=", "--suffix", "a", "--initial-value="});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("   Y0c : BOOL;   //  Y0c\r\n   Y0 : BOOL;   //  Y0\r\n   Y0a : BOOL;   //  Y0a\r\n"
                         "   Y1c : BOOL;   //  Y1c\r\n"),
            std::string::npos)
      << run.out;
}

TEST_F(DbCliTest, JsonObjectsOfBothSubcommands) {
  struct Case {
    std::vector<std::string> args;
    std::size_t lines;
    std::string firstLine;
  } cases[] = {
      {{"db", "--json", "--count", "3"}, 12, "DATA_BLOCK DB1"},
      {{"message-db", "--json", "--number", "9"}, 4 + 1008 + 14, "TYPE UDT9"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    EXPECT_EQ(doc["generator"], c.args.front());
    EXPECT_TRUE(doc["error"].is_null());
    EXPECT_EQ(doc["rowCount"], 1);
    EXPECT_EQ(doc["symbols"], nlohmann::json::array());
    EXPECT_EQ(doc["lines"].size(), c.lines);
    EXPECT_EQ(doc["lines"][0], c.firstLine);
  }
}

TEST_F(DbCliTest, SymbolsFileOfARunWithoutRowsIsEmpty) {
  const std::string file = dir_ + "/symbole.txt";
  for (const char* command : {"db", "message-db"}) {
    const CliRun run = RunCli({command, "--symbols", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(ReadFileBytes(file), "");
    std::filesystem::remove(file);
  }
}

TEST_F(DbCliTest, RefusedRunsShowTheMessageBoxText) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
    int code;
  } cases[] = {
      {{"db", "--db-number", "0"}, "Fehler: 5 / Fehler im Feld \"DB-Nummer\" !", 5},
      {{"db", "--type", "Bool", "--initial-value", "ja"}, "Fehler: 30 / Fehler im Feld \"Anfangswertzuweisung\" !", 30},
      {{"message-db", "--count", "0"}, "Error: 2 / Anzahl Meldungen ungültig !", 2},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(run.err, c.err + "\n");
    std::vector<std::string> json = c.args;
    json.push_back("--json");
    const CliRun jsonRun = RunCli(json);
    EXPECT_EQ(jsonRun.status, 1);
    const auto doc = nlohmann::json::parse(jsonRun.out);
    EXPECT_EQ(doc["error"]["code"], c.code);
    EXPECT_EQ(doc["error"]["box"], c.err);
    EXPECT_TRUE(doc["lines"].empty());
  }
}

TEST_F(DbCliTest, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"db", "--type", "bool"},         {"db", "--type", "Integer"},  {"db", "--digits", "7"},
      {"db", "--name-from", "adresse"}, {"db", "--suffix", "a", "b"}, {"message-db", "--variant", "2"},
      {"message-db", "--count"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 2) << args[1];
    EXPECT_TRUE(run.out.empty());
  }
}

}  // namespace
}  // namespace brendax::testing
