// The checks every generator shares through its field table: a refused run
// names the field its failing check reads, and no text field takes a control
// character that would break a line or a cell of the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/field_table.h"
#include "core/mnemonics.h"
#include "datablocks/db_image.h"
#include "datablocks/db_source.h"
#include "datablocks/message_db.h"
#include "datablocks/target_actual.h"
#include "stepseq/extended_step.h"
#include "stepseq/simple_step.h"
#include "support/run_cli.h"
#include "symbols/symbol_generator.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

// One generator seen through its field table: the text fields' options and
// captions, and a run from the defaults with one text field set by option.
struct Generator {
  const char* name;
  std::vector<std::pair<std::string, std::string>> textFields;  // option, caption (UTF-8)
  std::vector<bool> multiLine;
  std::vector<bool> ownCheck;  // the field has checks of its own
  std::function<GeneratorResult(const std::string& option, const std::string& value)> run;
};

template <class Params>
Generator Make(const char* name, const FieldTable<Params>& table, std::function<GeneratorResult(Params&)> generate,
               std::function<void(Params&)> prepare = {}) {
  Generator g{name, {}, {}, {}, {}};
  for (const auto& f : table) {
    if (f.kind != FieldKind::kText) continue;
    g.textFields.emplace_back(f.option, f.label);
    g.multiLine.push_back(f.multiLine);
    g.ownCheck.push_back(!f.codes.empty());
  }
  g.run = [&table, generate, prepare](const std::string& option, const std::string& value) {
    Params p = DefaultsOf(table);
    if (prepare) prepare(p);
    const auto* f = FindFieldByOption(table, option);
    if (f != nullptr && f->kind == FieldKind::kText) p.*(f->text) = value;
    return generate(p);
  };
  return g;
}

class FieldChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir();
    image_ = dir_ + "/image.bin";
    testing::WriteFileBytes(image_, "ABCD");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::vector<Generator> Generators() const {
    const MnemonicSet de = MnemonicsFor(false);
    const std::string image = image_;
    return {
        Make<SimpleStepParams>("step-simple", SimpleStepFields(),
                               [de](SimpleStepParams& p) { return GenerateSimpleStep(p, de); }),
        Make<ExtendedStepParams>("step-extended", ExtendedStepFields(),
                                 [de](ExtendedStepParams& p) {
                                   p.timers = true;
                                   return GenerateExtendedStep(p, de);
                                 }),
        Make<SymbolParams>("symbols", SymbolFieldTable(), [de](SymbolParams& p) { return GenerateSymbols(p, de); }),
        Make<DbSourceParams>("db", DbSourceFields(), [](DbSourceParams& p) { return GenerateDbSource(p); }),
        Make<MessageDbParams>("message-db", MessageDbFields(), [](MessageDbParams& p) { return GenerateMessageDb(p); }),
        Make<TargetActualParams>("target-actual-db", TargetActualFields(),
                                 [](TargetActualParams& p) { return GenerateTargetActual(p); }),
        Make<DbImageParams>(
            "db-image", DbImageFields(), [](DbImageParams& p) { return GenerateDbImage(p); },
            [image](DbImageParams& p) {
              p.filePath = image;
              p.automatic = false;
            }),
    };
  }

  std::string dir_;
  std::string image_;
};

TEST_F(FieldChecksTest, RefusedRunNamesTheFieldItsCheckReads) {
  struct Case {
    const char* generator;
    const char* option;
    const char* value;
    int code;
    const char* field;  // the option named; "" for none
  } cases[] = {
      {"step-simple", "fc-number", "x", 20, "fc-number"},
      {"step-simple", "fc-name", "", 5, "fc-name"},
      {"step-simple", "first-step", "99", 31, "first-step"},
      {"step-simple", "distance", "0", 33, "distance"},
      {"step-simple", "count", "400", 36, "count"},
      {"step-simple", "release2", "Auto", 10, "release2"},
      {"step-simple", "release4", "1x", 14, "release4"},
      {"step-extended", "db-number", "-1", 23, "db-number"},
      {"step-extended", "db-name", "FC_Schrittkette", 7, "db-name"},
      {"step-extended", "max-steps", "63", 90, "max-steps"},
      {"step-extended", "initial-step", "3", 38, "initial-step"},
      {"step-extended", "release4", "", 39, "release4"},
      {"step-extended", "timer-fc-number", "80", 52, "timer-fc-number"},
      {"step-extended", "timer-fc-name", "FC_Schrittkette", 54, "timer-fc-name"},
      {"symbols", "count", "1001", 2, "count"},
      {"symbols", "start-address2", "1.8", 11, "start-address2"},
      {"symbols", "c2-step", "-", 15, "c2-step"},
      {"symbols", "symbol", "Ein_sehr_langes_Symbol_XY<C1>", 17, "symbol"},
      {"db", "db-number", "0", 5, "db-number"},
      {"db", "start", "1024", 10, "start"},
      {"db", "initial-value", "2", 30, "initial-value"},
      {"message-db", "count", "0", 2, "count"},
      {"message-db", "number", "10001", 6, "number"},
      {"target-actual-db", "variants", "65", 20, "variants"},
      {"target-actual-db", "start", "-1", 30, "start"},
      {"db-image", "count", "0", 10, "count"},
      {"db-image", "name", "1S", 13, "name"},
      {"db-image", "start", "40000", 8, "start"},
      {"db-image", "file", "", kDbImageOpenFailure, "file"},
      // Names longer than the engineering tool accepts (24 characters).
      {"db", "prefix", "Ein_sehr_langer_Name_X", kNameTooLongCode, "prefix"},
      {"db", "suffix", "einf\r\nein_langer_Zusatz_xyzw", kNameTooLongCode, "suffix"},
      {"target-actual-db", "prefix-actual", "Istwert_Doppelwort_Eingang", kNameTooLongCode, "prefix-actual"},
      {"target-actual-db", "prefix-target", "Sollbit_Sollbit_Soll", kNameTooLongCode, "prefix-target"},
      {"target-actual-db", "prefix-variant", "Variante_Variante_Variant", kNameTooLongCode, "prefix-variant"},
  };
  const auto generators = Generators();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.generator) + " --" + c.option + "=" + c.value);
    for (const auto& g : generators) {
      if (g.name != std::string(c.generator)) continue;
      GeneratorResult r = g.run(c.option, c.value);
      if (std::string(c.option) == "file") {  // the path is not one of the table's fields
        DbImageParams p = DefaultsOf(DbImageFields());
        p.filePath = dir_ + "/missing.bin";
        r = GenerateDbImage(p);
      }
      EXPECT_EQ(r.errorCode, c.code);
      EXPECT_EQ(r.errorField, c.field);
    }
  }
  // A generated run names no field.
  for (const auto& g : generators) EXPECT_EQ(g.run("", "").errorField, "") << g.name;
  // Names of exactly 24 characters are accepted (prefix, "031_7", suffix "einf" or "ausf"; "V1", prefix, "0_0").
  for (const auto& g : generators) {
    if (g.name == std::string("db")) {
      EXPECT_TRUE(g.run("prefix", "Ein_langer_Name").ok());
      EXPECT_TRUE(g.run("suffix", "ein_langer_Zusatz_").ok());
    }
    if (g.name == std::string("target-actual-db")) {
      EXPECT_TRUE(g.run("prefix-target", "Sollbit_Sollbit_Sol").ok());
      EXPECT_TRUE(g.run("prefix-actual", "Istwert_Doppelwort_Eing").ok());
    }
  }
}

TEST_F(FieldChecksTest, NoTextFieldTakesAControlCharacter) {
  for (const auto& g : Generators()) {
    for (std::size_t i = 0; i < g.textFields.size(); ++i) {
      const auto& [option, caption] = g.textFields[i];
      SCOPED_TRACE(std::string(g.name) + " --" + option);
      std::string shown = caption;
      while (!shown.empty() && (shown.back() == ':' || shown.back() == ' ')) shown.pop_back();
      const std::string message = Ansi("Steuerzeichen im Feld \"" + shown + "\" !");
      const std::vector<std::string> refused =
          g.multiLine[i]
              ? std::vector<std::string>{std::string("A\0B", 3), "A\x1B[2J"}
              : std::vector<std::string>{"X\r\nEND_DATA_BLOCK", "A\tB", "A\nB", std::string("A\0", 2), "\x1F"};
      for (const auto& value : refused) {
        // Refused by the field's own check, or else by the control-character check.
        const GeneratorResult r = g.run(option, value);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.errorField, option);
        if (!g.ownCheck[i]) {
          EXPECT_EQ(r.errorCode, kControlCharacterCode);
        }
        if (r.errorCode == kControlCharacterCode) {
          EXPECT_EQ(r.errorMessage, message);
          EXPECT_NE(ErrorBoxText(r).find(message), std::string::npos);
        }
        EXPECT_TRUE(r.lines.empty());
        for (const auto& row : r.symbols) EXPECT_EQ(row, SymbolRow{});
      }
      // A list of lines keeps its line ends and tabulators.
      if (g.multiLine[i]) {
        EXPECT_NE(g.run(option, "a\r\nb\tc\nd").errorCode, kControlCharacterCode);
      }
    }
  }
}

}  // namespace
}  // namespace brendax
