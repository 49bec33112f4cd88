// The db-image subcommand: each output mode once, the too-large warning, a
// file that cannot be opened, and usage errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

class DbImageCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempDir();
    file_ = dir_ + "/daten.bin";
    std::ofstream(file_, std::ios::binary) << std::string("\x41\x42\x0D\x27\xFF", 5);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
  std::string file_;
};

const char kWarning[] = "Warnung !\r\rDie angegebene Datei ist zu groß für die\rangegebene/ errechnete Arraygröße!";

TEST_F(DbImageCliTest, TextFileAndEncodings) {
  const CliRun run = RunCli({"db-image", file_, "--db-number", "7", "--name", "Bild"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  EXPECT_TRUE(run.out.starts_with("DATA_BLOCK DB7\r\nTITLE =\r\n"));
  EXPECT_NE(run.out.find(" Bild : ARRAY [0..4] OF CHAR ;\r\n"), std::string::npos);
  EXPECT_TRUE(run.out.ends_with(" Bild[4]:='$FF';\r\nEND_DATA_BLOCK\r\n\r\n\r\n"));

  const std::string out = dir_ + "/bild.awl";
  const CliRun toFile = RunCli({"db-image", file_, "--db-number", "7", "--name", "Bild", "-o", out, "--encoding",
                                "utf-8", "--symbols", dir_ + "/symbole.txt"});
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_TRUE(toFile.out.empty());
  EXPECT_EQ(ReadFileBytes(out), run.out);  // plain ASCII either way
  EXPECT_EQ(ReadFileBytes(dir_ + "/symbole.txt"), "");
}

TEST_F(DbImageCliTest, CountTurnsAutomaticOffAndTheWarningGoesToStandardError) {
  const CliRun run = RunCli({"db-image", file_, "--type", "word", "--swap", "on", "--count", "2", "--start", "-1"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(" S : ARRAY [-1..0] OF WORD ;\r\n"), std::string::npos);
  EXPECT_NE(run.out.find(" S[0]:=W#16#D27;\r\n"), std::string::npos);
  EXPECT_NE(run.err.find("Die angegebene Datei ist zu groß für die"), std::string::npos);

  const CliRun json = RunCli({"db-image", file_, "--json", "--type", "dword", "--count", "1"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["generator"], "db-image");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["rowCount"], 1);
  EXPECT_EQ(doc["symbols"], nlohmann::json::array());
  EXPECT_EQ(doc["lines"][8], " S[0]:=DW#16#270D4241;");
  EXPECT_EQ(doc["notices"], nlohmann::json::array({kWarning}));
}

TEST_F(DbImageCliTest, RefusedRunsExitWithStatusOne) {
  CliRun run = RunCli({"db-image", dir_ + "/fehlt.bin"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Datei " + dir_ + "/fehlt.bin kann nicht geöffnet werden. No such file or directory\n");
  EXPECT_TRUE(run.out.empty());

  run = RunCli({"db-image", dir_, "--json"});
  EXPECT_EQ(run.status, 1);
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["error"]["message"], "Datei " + dir_ + " kann nicht geöffnet werden. Is a directory");

  run = RunCli({"db-image", file_, "--name", "1A"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: 13 / Name der Arrayvariable ist ungültig !\n");
}

TEST_F(DbImageCliTest, UsageErrors) {
  EXPECT_EQ(RunCli({"db-image"}).status, 2);
  EXPECT_EQ(RunCli({"db-image", file_, "--type", "real"}).status, 2);
  EXPECT_EQ(RunCli({"db-image", file_, "--swap", "ja"}).status, 2);
  EXPECT_EQ(RunCli({"db-image", file_, "--automatic", "on"}).status, 2);
}

}  // namespace
}  // namespace brendax::testing
