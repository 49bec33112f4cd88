// The step-extended subcommand: example sets and options from the field
// table, the notice, errors and exit statuses. The goldens compare whole
// outputs.
#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StepExtendedCli, Example2WithNoticeAndSymbols) {
  const std::string dir = MakeTempDir();
  const CliRun run = RunCli({"step-extended", "--example", "2", "--symbols", dir + "/symbols.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            "Der Baustein \n\nSFC 64 \"TIME_TCK\" / Systemzeit lesen\n\n"
            "wird zusätzlich benötigt, und muß dem\nProjekt ggf. manuell hinzugefügt werden !\n");
  EXPECT_EQ(ReadFileBytes(dir + "/symbols.txt"),
            "FC_Schrittkette100\tFC 100\tFC 100\tFC_Schrittkette100\r\n"
            "DB_Schrittkette100\tDB 100\tDB 100\tDB_Schrittkette100\r\n"
            "FC_Schritttimer100\tFC 101\tFC 101\tFC_Schritttimer100\r\n");
  // Options override the example set whatever their order.
  const auto doc = nlohmann::json::parse(
      RunCli({"step-extended", "--timers", "off", "--max-steps", "512", "--example", "2", "--json"}).out);
  EXPECT_EQ(doc["rowCount"], 3);
  EXPECT_EQ(doc["lines"][0], "DATA_BLOCK \"DB_Schrittkette100\"");
  EXPECT_EQ(doc["lines"][4], "   Step : ARRAY  [0 .. 511 ] OF BOOL ;");
  EXPECT_TRUE(doc["notices"].empty());
}

TEST(StepExtendedCli, FieldsAreTrimmedAndConverted) {
  const auto doc =
      nlohmann::json::parse(RunCli({"step-extended", "--db-name", " DB_Größe ", "--fc-number", " 12 ", "--json"}).out);
  EXPECT_EQ(doc["symbols"][0][1], "FC 12");
  EXPECT_EQ(doc["symbols"][1][0], "DB_Größe");
  const CliRun text = RunCli({"step-extended", "--db-name", "DB_Größe"});
  EXPECT_EQ(text.out.rfind("DATA_BLOCK \"DB_Gr\xF6\xDF"
                           "e\"\r\n",
                           0),
            0u)
      << "Windows-1252 by default";
}

TEST(StepExtendedCli, BlockNumbersAreWrittenFromTheirValues) {
  const std::string dir = MakeTempDir();
  const CliRun plain = RunCli({"step-extended", "--example", "2", "--fc-number", "80", "--db-number", "80",
                               "--timer-fc-number", "81", "--symbols", dir + "/plain.sym"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(ReadFileBytes(dir + "/plain.sym"),
            "FC_Schrittkette100\tFC 80\tFC 80\tFC_Schrittkette100\r\n"
            "DB_Schrittkette100\tDB 80\tDB 80\tDB_Schrittkette100\r\n"
            "FC_Schritttimer100\tFC 81\tFC 81\tFC_Schritttimer100\r\n");
  const std::vector<std::array<const char*, 3>> spellings = {
      {"0x50", "$50", "0x51"}, {"+80", "+80", "+81"}, {"080", "0080", "081"}};
  for (const auto& [fc, db, timer] : spellings) {
    const CliRun run = RunCli({"step-extended", "--example", "2", "--fc-number", fc, "--db-number", db,
                               "--timer-fc-number", timer, "--symbols", dir + "/other.sym"});
    ASSERT_EQ(run.status, 0) << fc << run.err;
    EXPECT_EQ(run.out, plain.out) << fc;
    EXPECT_EQ(ReadFileBytes(dir + "/other.sym"), ReadFileBytes(dir + "/plain.sym")) << fc;
  }
}

TEST(StepExtendedCli, RefusedRunsGiveStatusOneAndTheMessageBoxText) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"--max-steps", "32", "--distance", "1", "--count", "33"},
       "Error: 36 / Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!\n"},
      {{"--max-steps", "100"}, "Error: 90 / Interner Fehler !\n"},  // text that is no item of the list
      {{"--release3", ""}, "Error: 40 / In-Variable für Vorwärtsschritt fehlt !\n"},
      {{"--db-number", "0"}, "Error: 23 / \"DB- Nummer\" ist ungültig !\n"},
      {{"--fc-name", ""}, "Error: 5 / \"FC- Name\" ist ungültig !\n"},
      {{"--fc-name", "FC\"A"}, "Error: 5 / \"FC- Name\" ist ungültig !\n"},
      {{"--fc-name", "", "--db-name", ""}, "Error: 5 / \"FC- Name\" ist ungültig !\n"},
      {{"--db-name", ""}, "Error: 6 / \"DB- Name\" ist ungültig !\n"},
      {{"--db-name", "DB\"A"}, "Error: 6 / \"DB- Name\" ist ungültig !\n"},
      {{"--timers", "on", "--timer-fc-name", ""}, "Error: 53 / \"DB- Name- Timer\" ist ungültig !\n"},
      {{"--timers", "on", "--timer-fc-name", "T\"A"}, "Error: 53 / \"DB- Name- Timer\" ist ungültig !\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"step-extended"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, 1) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(run.out.empty()) << c.err;
  }
  EXPECT_EQ(RunCli({"step-extended", "--fc-number", "0"}).status, 0) << "FC 0 stays allowed";
}

TEST(StepExtendedCli, UsageErrorsAndHelp) {
  EXPECT_EQ(RunCli({"step-extended", "--timers", "yes"}).status, 2);
  EXPECT_EQ(RunCli({"step-extended", "--example", "3"}).status, 2);
  EXPECT_EQ(RunCli({"step-extended", "--no-such-option"}).status, 2);
  const CliRun help = RunCli({"step-extended", "--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--example", "--fc-number", "--db-number", "--timer-fc-name", "--max-steps",
                             "--initial-step", "--backward", "--release4", "--mnemonics", "--json"}) {
    EXPECT_TRUE(Contains(help.out, option)) << option;
  }
  EXPECT_TRUE(Contains(help.out, "\"FC- Name\": symbol name of that function (default: FC_Schrittkette)"));
}

}  // namespace
}  // namespace brendax::testing
