// The step-simple subcommand: one run per output mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "support/run_cli.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

class StepSimpleCliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(StepSimpleCliTest, TextOnStandardOutputIsWindows1252WithCrLf) {
  const CliRun run = RunCli({"step-simple", "--count", "2", "--fc-name", "Kühler"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  EXPECT_TRUE(run.out.starts_with(Ansi("FUNCTION \"Kühler\" : VOID\r\nTITLE =\r\n")));
  EXPECT_NE(run.out.find(Ansi("// Das Grundgerüst dieses Bausteines wurde erzeugt mit #\r\n")), std::string::npos);
  EXPECT_TRUE(run.out.ends_with("S_EX: NOP 0;\r\n\r\nEND_FUNCTION\r\n"));
  EXPECT_EQ(run.out.find("\n\n"), std::string::npos) << "every line ends with CR LF";
}

TEST_F(StepSimpleCliTest, OutputFileHoldsTheSameBytesAsStandardOutput) {
  const std::string file = dir_ + "/kette.awl";
  const CliRun toFile = RunCli({"step-simple", "--count", "4", "-o", file});
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_TRUE(toFile.out.empty());
  const std::string bytes = ReadFileBytes(file);
  EXPECT_EQ(bytes, RunCli({"step-simple", "--count", "4"}).out);
  EXPECT_NE(bytes.find(Ansi("Zum nächsten Schritt\r\n")), std::string::npos);
}

TEST_F(StepSimpleCliTest, Utf8Encoding) {
  const CliRun run = RunCli({"step-simple", "--count", "2", "--encoding", "utf-8"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("// Das Grundgerüst dieses Bausteines wurde erzeugt mit #\r\n"), std::string::npos);
}

TEST_F(StepSimpleCliTest, SymbolsFileHoldsTheTrimmedRowAsTyped) {
  const std::string file = dir_ + "/symbole.txt";
  const CliRun run = RunCli({"step-simple", "--fc-number", " +81 ", "--fc-name", " Ablauf ", "--symbols", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(file), "Ablauf\tFC 81\tFC 81\tAblauf\r\n");
  EXPECT_TRUE(run.out.starts_with("FUNCTION \"Ablauf\" : VOID\r\n"));
}

TEST_F(StepSimpleCliTest, JsonObjectOfASuccessfulRun) {
  const CliRun run = RunCli({"step-simple", "--json", "--count", "3", "--fc-name", "Kühler"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::ordered_json::parse(run.out);
  std::vector<std::string> keys;
  for (const auto& item : doc.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"generator", "error", "rowCount", "symbols", "lines", "notices"}));
  EXPECT_EQ(doc["generator"], "step-simple");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["rowCount"], 2);
  EXPECT_EQ(doc["symbols"], nlohmann::json::parse(R"([["Kühler", "FC 80", "FC 80", "Kühler"]])"));
  EXPECT_EQ(doc["lines"].size(), 204u);  // one change per cycle, three steps
  EXPECT_EQ(doc["lines"][24], "// Das Grundgerüst dieses Bausteines wurde erzeugt mit #");
  EXPECT_TRUE(doc["notices"].empty());
}

TEST_F(StepSimpleCliTest, JsonObjectOfAFailedRun) {
  const CliRun run = RunCli({"step-simple", "--json", "--release3", "Stärke"});
  EXPECT_EQ(run.status, 1);
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["error"]["code"], 11);
  EXPECT_EQ(doc["error"]["message"], "\"In-Variable Freigabe 3\" ist ungültig !");
  EXPECT_EQ(doc["rowCount"], 1);
  EXPECT_TRUE(doc["lines"].empty());
}

TEST_F(StepSimpleCliTest, ValidationErrorGoesToStandardErrorWithStatusOne) {
  const std::string file = dir_ + "/nicht.awl";
  const CliRun run = RunCli({"step-simple", "--fc-number", "65536", "-o", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: 21 / \"FC- Nummer\" ist ungültig !\n");
  EXPECT_TRUE(run.out.empty());
  EXPECT_FALSE(std::filesystem::exists(file));

  EXPECT_EQ(RunCli({"step-simple", "--count", "0"}).err, "Error: 34 / Schrittanzahl ist ungültig !\n");
}

TEST_F(StepSimpleCliTest, BlockNumberIsWrittenFromItsValue) {
  const std::string plainSymbols = dir_ + "/plain.sym";
  const CliRun plain = RunCli({"step-simple", "--fc-number", "80", "--symbols", plainSymbols});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(ReadFileBytes(plainSymbols), "FC_Schrittkette\tFC 80\tFC 80\tFC_Schrittkette\r\n");
  for (const char* number : {"0x50", "$50", "+80", "080"}) {
    const std::string symbols = dir_ + "/other.sym";
    const CliRun run = RunCli({"step-simple", "--fc-number", number, "--symbols", symbols});
    ASSERT_EQ(run.status, 0) << number << run.err;
    EXPECT_EQ(run.out, plain.out) << number;
    EXPECT_EQ(ReadFileBytes(symbols), ReadFileBytes(plainSymbols)) << number;
  }
}

TEST_F(StepSimpleCliTest, EmptyOrQuotedNameIsRefused) {
  for (const char* name : {"", "FC\"1", "\""}) {
    const CliRun run = RunCli({"step-simple", "--fc-name", name});
    EXPECT_EQ(run.status, 1) << name;
    EXPECT_EQ(run.err, "Error: 5 / \"FC- Name\" ist ungültig !\n") << name;
    EXPECT_TRUE(run.out.empty()) << name;
  }
}

TEST_F(StepSimpleCliTest, UsageErrorsGiveStatusTwo) {
  EXPECT_EQ(RunCli({"step-simple", "--structure", "zickzack"}).status, 2);
  EXPECT_EQ(RunCli({"step-simple", "--network-per-step", "ja"}).status, 2);
  EXPECT_EQ(RunCli({"step-simple", "--count"}).status, 2);
  EXPECT_EQ(RunCli({"step-simple", "--unbekannt", "1"}).status, 2);
}

TEST_F(StepSimpleCliTest, JumpListOverridesNumberingAndOption) {
  const CliRun run = RunCli({"step-simple", "--structure", "jump-list", "--first-step", "20", "--distance", "9",
                             "--one-change-per-cycle", "off", "--count", "2", "--encoding", "utf-8"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("//           Sprungleiste"), std::string::npos);
  EXPECT_NE(run.out.find("      SPA   S000;\r\n      SPA   S001;\r\nLSTX: SPA   S_EX;\r\n"), std::string::npos);
  EXPECT_NE(run.out.find("//    Nr. 1. Schritt:                                  #\r\n//           0 "),
            std::string::npos);
  EXPECT_NE(run.out.find("//    Schrittabstand:                                  #\r\n//           1 "),
            std::string::npos);
  EXPECT_EQ(run.out.find("#sw"), std::string::npos);
}

TEST_F(StepSimpleCliTest, HelpListsEveryOptionWithLabelAndDefault) {
  const CliRun run = RunCli({"step-simple", "--help"});
  ASSERT_EQ(run.status, 0);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"--fc-number", "\"FC- Nummer\""},
      {"--fc-name", "\"FC- Name\""},
      {"--structure", "\"Struktur\""},
      {"--one-change-per-cycle", "\"Nur eine Weiterschaltungpro SPS-Zyklus\""},
      {"--network-per-step", "\"pro Schritt ein Netzwerk\""},
      {"--first-step", "\"Nr. 1. Schritt\""},
      {"--distance", "\"Schrittabstand\""},
      {"--count", "\"Anzahl Schritte\""},
      {"--release1", "\"In-Variable Freigabe 1\""},
      {"--release2", "\"In-Variable Freigabe 2\""},
      {"--release3", "\"In-Variable Freigabe. 3\""},
      {"--release4", "\"In-Variable Freigabe. 4\""},
  };
  for (const auto& [option, label] : expected) {
    const auto at = run.out.find(option + " ", run.out.find("Options:"));
    ASSERT_NE(at, std::string::npos) << option;
    const auto end = run.out.find("\n  -", at);
    const std::string entry = run.out.substr(at, end - at);
    EXPECT_NE(entry.find(label), std::string::npos) << entry;
    EXPECT_NE(entry.find("(default: "), std::string::npos) << entry;
  }
}

}  // namespace
}  // namespace brendax::testing
