// The symbols and templates subcommands: output modes, examples, stored
// templates, and a refused run with the rows it kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "core/settings.h"
#include "support/run_cli.h"
#include "symbols/symbol_templates.h"
#include "text/cp1252.h"

namespace brendax::testing {
namespace {

class SymbolsCliTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A settings file with template 2 saved from the interface example.
  std::string SettingsWithTemplate() {
    SettingsRecord record;
    SymbolParams form = SymbolExampleInterface();
    form.comment = Ansi("Eingang <A1> Kühler");
    WriteSymbolTemplate(record, 2, TemplateFromForm(form, Ansi("Roboter Ä")));
    const std::string path = dir_ + "/brendax.set";
    EXPECT_TRUE(SaveSettingsFile(path, record));
    return path;
  }

  std::string dir_;
};

TEST_F(SymbolsCliTest, RowsAreTheTextInEachEncoding) {
  const CliRun run = RunCli({"symbols", "--count", "2", "--comment", "Kühler <C1>"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Ansi("M_PrgNr_Bit0\tM  10.0\tBool\tKühler 0\r\nM_PrgNr_Bit1\tM  10.1\tBool\tKühler 1\r\n"));
  EXPECT_TRUE(run.err.empty());
  const CliRun utf8 = RunCli({"symbols", "--count", "1", "--comment", "Kühler", "--encoding", "utf-8"});
  EXPECT_EQ(utf8.out, "M_PrgNr_Bit0\tM  10.0\tBool\tKühler\r\n");

  const std::string file = dir_ + "/rows.txt";
  const std::string symbols = dir_ + "/symbols.txt";
  const CliRun toFile = RunCli({"symbols", "--example", "cylinder", "-o", file, "--symbols", symbols});
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  EXPECT_TRUE(toFile.out.empty());
  EXPECT_EQ(ReadFileBytes(file), RunCli({"symbols", "--example", "cylinder"}).out);
  EXPECT_EQ(ReadFileBytes(symbols), ReadFileBytes(file));
}

TEST_F(SymbolsCliTest, JsonHoldsEveryRowAndNoLines) {
  const CliRun run = RunCli({"symbols", "--json", "--example", "interface", "--count", "3", "--mnemonics", "en"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto doc = nlohmann::json::parse(run.out);
  EXPECT_EQ(doc["generator"], "symbols");
  EXPECT_TRUE(doc["error"].is_null());
  EXPECT_EQ(doc["rowCount"], 4);
  ASSERT_EQ(doc["symbols"].size(), 3u);
  EXPECT_EQ(doc["symbols"][2],
            nlohmann::json({"E0.2_Rob_A3", "I  0.2", "Bool", "Eingang E0.2  / Roboter Ausgang 3 / "}));
  EXPECT_TRUE(doc["lines"].empty());
}

TEST_F(SymbolsCliTest, RefusedRunStillPrintsTheRowsItKept) {
  // Row 3 expands to 25 characters.
  const std::vector<std::string> args = {
      "symbols", "--count", "4", "--c1", "99998", "--symbol", "Symbol_890123456789<C1>"};
  const CliRun run = RunCli(args);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Symbol_89012345678999998\tM  10.0\tBool\tProgrammnummer Bit 99998\r\n"
            "Symbol_89012345678999999\tM  10.1\tBool\tProgrammnummer Bit 99999\r\n"
            "\t\t\t\r\n\t\t\t\r\n");
  EXPECT_EQ(run.err, "Error: 17 / Mindestens ein Symbol ist zu lang (max. 24 Zeichen) !\n");

  auto json = args;
  json.push_back("--json");
  const CliRun jsonRun = RunCli(json);
  EXPECT_EQ(jsonRun.status, 1);
  const auto doc = nlohmann::json::parse(jsonRun.out);
  EXPECT_EQ(doc["error"]["code"], 17);
  EXPECT_EQ(doc["rowCount"], 5);
  ASSERT_EQ(doc["symbols"].size(), 4u);
  EXPECT_EQ(doc["symbols"][3], nlohmann::json({"", "", "", ""}));
}

TEST_F(SymbolsCliTest, TextTypedAsAreaIsRefusedAfterTheAddresses) {
  const CliRun typed = RunCli({"symbols", "--area", "Merker", "--count", "2"});
  EXPECT_EQ(typed.status, 1);
  EXPECT_EQ(typed.out, "\t\t\t\r\n\t\t\t\r\n");
  EXPECT_EQ(typed.err, "Error: 3 / Aressbereich ungültig !\n");
  EXPECT_EQ(RunCli({"symbols", "--area", "x", "--start-address", "50"}).status, 1);
  EXPECT_EQ(RunCli({"symbols", "--area", "x", "--start-address", "50"}).err, "Error: 4 / Startadresse ungültig !\n");
  EXPECT_EQ(RunCli({"symbols", "--area", "outputs", "--count", "1"}).out,
            "M_PrgNr_Bit0\tA  10.0\tBool\tProgrammnummer Bit 0\r\n");
}

TEST_F(SymbolsCliTest, StoredTemplateWithOverrides) {
  const std::string settings = SettingsWithTemplate();
  const CliRun run = RunCli({"symbols", "--settings", settings, "--template", "2", "--count", "2", "--c1", "7"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            Ansi("E0.0_Rob_A7\tE  0.0\tBool\tEingang 0.0 Kühler\r\nE0.1_Rob_A8\tE  0.1\tBool\tEingang 0.1 Kühler\r\n"));

  // A slot that was never saved loads empty and fails at the start address.
  const CliRun empty = RunCli({"symbols", "--settings", settings, "--template", "1"});
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, "Error: 4 / Startadresse ungültig !\n");
}

TEST_F(SymbolsCliTest, UsageErrors) {
  const std::string settings = SettingsWithTemplate();
  const std::vector<std::vector<std::string>> cases = {
      {"symbols", "--settings", settings, "--template", "0"},
      {"symbols", "--settings", settings, "--template", "9"},
      {"symbols", "--template", "2"},
      {"symbols", "--settings", settings},
      {"symbols", "--settings", settings, "--template", "2", "--example", "cylinder"},
      {"symbols", "--settings", dir_ + "/missing.set", "--template", "2"},
      {"symbols", "--example", "robot"},
      {"templates"},
  };
  for (const auto& args : cases) EXPECT_EQ(RunCli(args).status, 2) << args.back();
}

TEST_F(SymbolsCliTest, TemplatesListsTheEightSlots) {
  const std::string settings = SettingsWithTemplate();
  const CliRun run = RunCli({"templates", "--settings", settings});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected;
  for (int n = 1; n <= 8; ++n)
    expected += std::to_string(n) + (n == 2 ? Ansi("\tRoboter Ä\tsaved\r\n") : "\t\tnever saved\r\n");
  EXPECT_EQ(run.out, expected);

  const CliRun json = RunCli({"templates", "--settings", settings, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto doc = nlohmann::json::parse(json.out);
  ASSERT_TRUE(doc.is_array());
  ASSERT_EQ(doc.size(), 8u);
  nlohmann::json slot = doc[1];
  slot.erase("options");
  EXPECT_EQ(slot, nlohmann::json({{"number", 2}, {"name", "Roboter Ä"}, {"neverSaved", false}}));
  EXPECT_EQ(doc[1]["options"]["symbol"], "E<A1>_Rob_A<C1>");
  EXPECT_EQ(doc[1]["options"]["area"], "inputs");
  EXPECT_EQ(doc[7]["neverSaved"], true);
}

// --store writes a template from the form's options: listed back with the
// same options, into a new file too; one the window would not save is
// refused with its message and leaves the file as it was.
TEST_F(SymbolsCliTest, TemplatesStoreWritesTheFormsOptions) {
  const std::string settings = SettingsWithTemplate();
  const auto list = [](const std::string& file) {
    const CliRun run = RunCli({"templates", "--settings", file, "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    return nlohmann::json::parse(run.out);
  };
  const nlohmann::json robot = list(settings)[1]["options"];
  std::vector<std::string> args{"templates", "--settings", settings, "--store", "5", "--name", "Kopie €"};
  for (const auto& [option, value] : robot.items()) args.push_back("--" + option + "=" + value.get<std::string>());
  CliRun run = RunCli(args);
  ASSERT_EQ(run.status, 0) << run.err;
  nlohmann::json slots = list(settings);
  EXPECT_EQ(slots[4]["name"], "Kopie €");
  EXPECT_EQ(slots[4]["options"], robot);
  EXPECT_EQ(slots[1]["options"], robot);

  const std::string fresh = dir_ + "/neu.set";
  run = RunCli({"templates", "--settings", fresh, "--store", "1", "--name", "Neu", "--count", "3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(fresh).size(), SettingsRecord::kSize);
  EXPECT_EQ(list(fresh)[0]["options"]["count"], "3");

  const std::string before = ReadFileBytes(settings);
  run = RunCli({"templates", "--settings", settings, "--store", "2", "--name", "Tab\there"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Steuerzeichen"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFileBytes(settings), before);
  EXPECT_EQ(RunCli({"templates", "--settings", settings, "--count", "3"}).status, 2);  // a form option without --store
}

// A template read from a damaged or foreign file: the listing shows the
// control characters of its name escaped, and a run of it is refused.
TEST_F(SymbolsCliTest, ControlCharactersOfAStoredTemplate) {
  SettingsRecord record;
  SymbolParams form = SymbolExampleInterface();
  form.symbol = std::string("\r\n<A1>\0\t", 8);
  SymbolTemplate stored = TemplateFromForm(form, "A\r\nB\x1B[2J");
  WriteSymbolTemplate(record, 3, stored);
  const std::string path = dir_ + "/brendax.set";
  ASSERT_TRUE(SaveSettingsFile(path, record));

  const CliRun list = RunCli({"templates", "--settings", path});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("3\tA\\r\\nB\\x1B[2J\tsaved\r\n"), std::string::npos) << list.out;

  const CliRun run = RunCli({"symbols", "--settings", path, "--template", "3"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Error: 80 / Steuerzeichen im Feld \"Symbol\" !\n");
  EXPECT_EQ(run.out.find('\0'), std::string::npos);

  // Saving such a template is refused, naming the field.
  EXPECT_EQ(CheckTemplateForSaving(stored).errorMessage, "Steuerzeichen im Feld \"Name der Vorlage\" !");
  stored.name = "Gut";
  EXPECT_EQ(CheckTemplateForSaving(stored).errorField, "symbol");
  EXPECT_TRUE(CheckTemplateForSaving(TemplateFromForm(SymbolExampleCylinder(), "Zylinder")).ok());
}

}  // namespace
}  // namespace brendax::testing
