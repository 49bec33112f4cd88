// The step-simple subcommand: options from the field table, the jump-list
// forcing, errors and exit statuses. The goldens compare whole outputs.
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

TEST_F(StepSimpleCliTest, TrimmedNameAndNumberFromTheirValueInTextAndRow) {
  const std::string file = dir_ + "/symbole.txt";
  const CliRun run = RunCli({"step-simple", "--fc-number", " +81 ", "--fc-name", " Kühler ", "--symbols", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(file), Ansi("Kühler\tFC 81\tFC 81\tKühler\r\n"));
  EXPECT_TRUE(run.out.starts_with(Ansi("FUNCTION \"Kühler\" : VOID\r\n")));
}

TEST_F(StepSimpleCliTest, BlockNumberIsWrittenFromItsValue) {
  const CliRun plain = RunCli({"step-simple", "--fc-number", "80", "--symbols", dir_ + "/plain.sym"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  for (const char* number : {"0x50", "$50", "+80", "080"}) {
    const CliRun run = RunCli({"step-simple", "--fc-number", number, "--symbols", dir_ + "/other.sym"});
    ASSERT_EQ(run.status, 0) << number << run.err;
    EXPECT_EQ(run.out, plain.out) << number;
    EXPECT_EQ(ReadFileBytes(dir_ + "/other.sym"), "FC_Schrittkette\tFC 80\tFC 80\tFC_Schrittkette\r\n") << number;
  }
}

TEST_F(StepSimpleCliTest, RefusedRunsGiveStatusOneAndTheMessageBoxText) {
  const std::string file = dir_ + "/nicht.awl";
  const CliRun run = RunCli({"step-simple", "--fc-number", "65536", "-o", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: 21 / \"FC- Nummer\" ist ungültig !\n");
  EXPECT_TRUE(run.out.empty());
  EXPECT_FALSE(std::filesystem::exists(file));
  for (const char* name : {"", "FC\"1", "\""}) {
    const CliRun refused = RunCli({"step-simple", "--fc-name", name});
    EXPECT_EQ(refused.status, 1) << name;
    EXPECT_EQ(refused.err, "Error: 5 / \"FC- Name\" ist ungültig !\n") << name;
    EXPECT_TRUE(refused.out.empty()) << name;
  }
  const auto doc = nlohmann::json::parse(RunCli({"step-simple", "--json", "--release3", "Stärke"}).out);
  EXPECT_EQ(doc["error"]["code"], 11);
  EXPECT_EQ(doc["error"]["message"], "\"In-Variable Freigabe 3\" ist ungültig !");
}

TEST_F(StepSimpleCliTest, UsageErrorsGiveStatusTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"step-simple", "--structure", "zickzack"},
                                                                {"step-simple", "--network-per-step", "ja"},
                                                                {"step-simple", "--count"},
                                                                {"step-simple", "--unbekannt", "1"}}) {
    EXPECT_EQ(RunCli(args).status, 2) << args[1];
  }
}

TEST_F(StepSimpleCliTest, JumpListOverridesNumberingAndOption) {
  const CliRun forced = RunCli({"step-simple", "--structure", "jump-list", "--first-step", "20", "--distance", "9",
                                "--one-change-per-cycle", "off", "--count", "2"});
  ASSERT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(forced.out, RunCli({"step-simple", "--structure", "jump-list", "--count", "2"}).out);
  EXPECT_NE(forced.out.find("      SPA   S000;\r\n      SPA   S001;\r\nLSTX: SPA   S_EX;\r\n"), std::string::npos);
}

TEST_F(StepSimpleCliTest, HelpListsEveryOptionWithLabelAndDefault) {
  const CliRun run = RunCli({"step-simple", "--help"});
  ASSERT_EQ(run.status, 0);
  for (const char* line : {"\"FC- Nummer\": number of the function, 0 to 65535 (default: 80)",
                           "\"Struktur\": jump-list|comparator (default: comparator)",
                           "\"Nur eine Weiterschaltungpro SPS-Zyklus\": on|off (default: on)",
                           "\"In-Variable Freigabe. 4\": optional fourth release operand (default: empty)"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace brendax::testing
