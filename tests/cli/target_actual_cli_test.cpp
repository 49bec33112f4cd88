// The target-actual-db subcommand: each output mode once, the list files,
// an error and a usage error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

class TargetActualCliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string dir_;
};

TEST_F(TargetActualCliTest, TextFileAndEncodings) {
  const CliRun run = RunCli({"target-actual-db", "--variants", "2", "--prefix-teach", "Lern"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  EXPECT_TRUE(run.out.starts_with("   // \r\n   // Symbolzuordnungen f. Varianten / Schritte :\r\n   //1=V1\r\n"));
  EXPECT_NE(run.out.find("   Lern0_0 : Bool ;   //Lern0_0\r\n"), std::string::npos);
  EXPECT_TRUE(run.out.ends_with("BEGIN\r\nEND_DATA_BLOCK\r\n\r\n"));

  const std::string out = dir_ + "/soll.awl";
  const std::string symbols = dir_ + "/symbole.txt";
  const CliRun toFile =
      RunCli({"target-actual-db", "--variants", "2", "--prefix-teach", "Lern", "-o", out, "--symbols", symbols});
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_TRUE(toFile.out.empty());
  EXPECT_EQ(ReadFileBytes(out), run.out);
  EXPECT_TRUE(std::filesystem::exists(symbols));
  EXPECT_EQ(ReadFileBytes(symbols), "");
}

TEST_F(TargetActualCliTest, ListFilesInUtf8OrWindows1252WithCrLfOrLf) {
  const std::string utf8 = Write("varianten.txt",
                                 "\xEF\xBB\xBF"
                                 "1=Gr\xC3\xB6\xC3\x9F"
                                 "e\r\n   //2=Heben // Kommentar\n");
  const std::string ansi = Write("adressen.txt", "0_1=K\xFChlen\n10_1=Nie\r\n");
  const CliRun run = RunCli({"target-actual-db", "--variants", "2", "--variant-symbols", utf8, "--address-symbols",
                             ansi, "--encoding", "utf-8"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("   //1=Größe\r\n   //2=Heben\r\n"), std::string::npos);
  EXPECT_NE(run.out.find("   //0_1=Kühlen\r\n   //0_2=0_2\r\n"), std::string::npos);
  EXPECT_NE(run.out.find("   GrößeSollBKühlen : Bool ;   //V1SollB0_1\r\n"), std::string::npos);
}

TEST_F(TargetActualCliTest, JsonObject) {
  const CliRun run = RunCli({"target-actual-db", "--json", "--double-words", "2", "--variants", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["generator"], "target-actual-db");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["rowCount"], 1);
  EXPECT_EQ(doc["symbols"], nlohmann::json::array());
  // The comment part, the head, the double words, teach and error bits,
  // target and active bits per variant, the end.
  EXPECT_EQ(doc["lines"].size(), (4u + 3 + 64) + 11 + 2 + 2 * 64 + 2 * 3 * 64 + 4);
  EXPECT_EQ(doc["lines"][3], "   //2=V2");
  EXPECT_EQ(doc["notices"], nlohmann::json::array());
}

TEST_F(TargetActualCliTest, RefusedValueAndUsageErrors) {
  CliRun run = RunCli({"target-actual-db", "--double-words", "2", "--variants", "65"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Fehler: 20\n");
  EXPECT_TRUE(run.out.empty());

  run = RunCli({"target-actual-db", "--json", "--start", "1024"});
  EXPECT_EQ(run.status, 1);
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["error"]["code"], 30);
  EXPECT_EQ(doc["lines"], nlohmann::json::array());

  EXPECT_EQ(RunCli({"target-actual-db", "--variant-symbols", dir_ + "/fehlt.txt"}).status, 2);
  EXPECT_EQ(RunCli({"target-actual-db", "--teach", "x"}).status, 2);
  EXPECT_EQ(RunCli({"target-actual-db", "--variants"}).status, 2);
}

}  // namespace
}  // namespace brendax::testing
