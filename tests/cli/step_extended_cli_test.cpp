// The step-extended subcommand: text and JSON output, exit statuses, options.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <array>
#include <string>
#include <vector>

#include "support/run_cli.h"

namespace brendax::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StepExtendedCli, Example1AsText) {
  const CliRun run = RunCli({"step-extended"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("DATA_BLOCK \"DB_Schrittkette\"\r\n", 0), 0u);
  EXPECT_TRUE(Contains(run.out, "FUNCTION \"FC_Schrittkette\" : VOID\r\n"));
  EXPECT_FALSE(Contains(run.out, "FC_Schritttimer"));
  EXPECT_TRUE(run.err.empty()) << run.err;
  // The defaults are the values of "Beispiel 1".
  EXPECT_EQ(RunCli({"step-extended", "--example", "1"}).out, run.out);
}

TEST(StepExtendedCli, Example2AsTextWithNoticeAndSymbols) {
  const std::string dir = MakeTempDir();
  const CliRun run = RunCli({"step-extended", "--example", "2", "--symbols", dir + "/symbols.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("DATA_BLOCK \"DB_Schrittkette100\"\r\n", 0), 0u);
  const auto timer = run.out.find("FUNCTION \"FC_Schritttimer100\" : VOID\r\n");
  const auto sequence = run.out.find("FUNCTION \"FC_Schrittkette100\" : VOID\r\n");
  ASSERT_NE(timer, std::string::npos);
  ASSERT_NE(sequence, std::string::npos);
  EXPECT_LT(timer, sequence);
  EXPECT_EQ(run.err,
            "Der Baustein \n\nSFC 64 \"TIME_TCK\" / Systemzeit lesen\n\n"
            "wird zusätzlich benötigt, und muß dem\nProjekt ggf. manuell hinzugefügt werden !\n");
  EXPECT_EQ(ReadFileBytes(dir + "/symbols.txt"),
            "FC_Schrittkette100\tFC 100\tFC 100\tFC_Schrittkette100\r\n"
            "DB_Schrittkette100\tDB 100\tDB 100\tDB_Schrittkette100\r\n"
            "FC_Schritttimer100\tFC 101\tFC 101\tFC_Schritttimer100\r\n");
}

TEST(StepExtendedCli, JsonOfBothExamples) {
  const CliRun one = RunCli({"step-extended", "--json"});
  ASSERT_EQ(one.status, 0) << one.err;
  const auto a = nlohmann::json::parse(one.out);
  EXPECT_EQ(a["generator"], "step-extended");
  EXPECT_TRUE(a["error"].is_null());
  EXPECT_EQ(a["rowCount"], 3);
  EXPECT_EQ(a["symbols"][1], nlohmann::json({"DB_Schrittkette", "DB 80", "DB 80", "DB_Schrittkette"}));
  EXPECT_EQ(a["lines"][0], "DATA_BLOCK \"DB_Schrittkette\"");
  EXPECT_TRUE(a["notices"].empty());

  const CliRun two = RunCli({"step-extended", "--example", "2", "--json", "--mnemonics", "en"});
  ASSERT_EQ(two.status, 0) << two.err;
  const auto b = nlohmann::json::parse(two.out);
  EXPECT_EQ(b["rowCount"], 4);
  EXPECT_EQ(b["symbols"][2][0], "FC_Schritttimer100");
  ASSERT_EQ(b["notices"].size(), 1u);
  EXPECT_EQ(b["notices"][0].get<std::string>().rfind("Der Baustein \r\rSFC 64", 0), 0u);
  EXPECT_TRUE(Contains(two.out, "      JCN  Strt;")) << "English mnemonics";
}

TEST(StepExtendedCli, ValidationErrors) {
  const CliRun last = RunCli({"step-extended", "--max-steps", "32", "--distance", "1", "--count", "33"});
  EXPECT_EQ(last.status, 1);
  EXPECT_TRUE(last.out.empty());
  EXPECT_EQ(last.err, "Error: 36 / Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!\n");

  // Text that is no item of the list selects none.
  const CliRun list = RunCli({"step-extended", "--max-steps", "100"});
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.err, "Error: 90 / Interner Fehler !\n");

  const CliRun json = RunCli({"step-extended", "--release3", "", "--json"});
  EXPECT_EQ(json.status, 1);
  const auto doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["error"]["code"], 40);
  EXPECT_EQ(doc["error"]["message"], "In-Variable für Vorwärtsschritt fehlt !");
  EXPECT_TRUE(doc["lines"].empty());
  EXPECT_TRUE(doc["symbols"].empty());
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

TEST(StepExtendedCli, DataBlockZeroAndBadNamesAreRefused) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases = {
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

TEST(StepExtendedCli, UsageErrors) {
  EXPECT_EQ(RunCli({"step-extended", "--timers", "yes"}).status, 2);
  EXPECT_EQ(RunCli({"step-extended", "--example", "3"}).status, 2);
  EXPECT_EQ(RunCli({"step-extended", "--no-such-option"}).status, 2);
}

TEST(StepExtendedCli, FieldsAreTrimmedAndConverted) {
  const CliRun run = RunCli({"step-extended", "--db-name", " DB_Größe ", "--fc-number", " 12 ", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["symbols"][0][1], "FC 12");
  EXPECT_EQ(doc["symbols"][1][0], "DB_Größe");

  const CliRun text = RunCli({"step-extended", "--db-name", "DB_Größe"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out.rfind("DATA_BLOCK \"DB_Gr\xF6\xDF" "e\"\r\n", 0), 0u) << "Windows-1252 by default";
}

TEST(StepExtendedCli, ExampleValuesCanBeOverridden) {
  const CliRun run = RunCli({"step-extended", "--example", "2", "--timers", "off", "--max-steps", "512", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["rowCount"], 3);
  EXPECT_EQ(doc["lines"][0], "DATA_BLOCK \"DB_Schrittkette100\"");
  EXPECT_EQ(doc["lines"][4], "   Step : ARRAY  [0 .. 511 ] OF BOOL ;");
  EXPECT_TRUE(doc["notices"].empty());
}

TEST(StepExtendedCli, HelpNamesEveryField) {
  const CliRun run = RunCli({"step-extended", "--help"});
  EXPECT_EQ(run.status, 0);
  for (const char* option : {"--fc-number", "--fc-name", "--db-number", "--db-name", "--timers", "--timer-fc-number",
                             "--timer-fc-name", "--max-steps", "--first-step", "--initial-step", "--count",
                             "--distance", "--backward", "--release1", "--release2", "--release3", "--release4",
                             "--example", "--mnemonics", "--json", "--symbols", "--encoding"}) {
    EXPECT_TRUE(Contains(run.out, option)) << option;
  }
  EXPECT_TRUE(Contains(run.out, "\"Schrittabstand\""));
  EXPECT_TRUE(Contains(run.out, "(default: FC_Schrittkette)"));
}

}  // namespace
}  // namespace brendax::testing
