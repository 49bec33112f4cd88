// symbols: the symbol generator ("Symbolgenerator") from a built-in example
// or a stored template, with any field overridden by its option.
#include <fstream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "core/file_writer.h"
#include "core/settings.h"
#include "symbols/symbol_generator.h"
#include "symbols/symbol_templates.h"

namespace brendax::cli {
namespace {

struct SymbolsOptions {
  OutputOptions output;
  std::string example = "program-number";
  std::string settingsFile;
  int templateNumber = 0;
  std::string area;
  CLI::Option* areaOption = nullptr;
  CLI::Option* templateOption = nullptr;
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
};

// The form's fields without "Adressbereich": that option takes any text,
// as the combo box does, where text that names no item selects none.
const FieldTable<SymbolParams>& OptionTable() {
  static const FieldTable<SymbolParams> table = [] {
    FieldTable<SymbolParams> t;
    for (const auto& f : SymbolFieldTable())
      if (f.kind == FieldKind::kText) t.push_back(f);
    return t;
  }();
  return table;
}

int AreaIndex(const std::string& name) {
  const auto& choices = FindFieldByOption(SymbolFieldTable(), "area")->choices;
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i] == name) return static_cast<int>(i);
  return -1;
}

SymbolParams ExampleNamed(const std::string& name) {
  if (name == "interface") return SymbolExampleInterface();
  if (name == "cylinder") return SymbolExampleCylinder();
  return SymbolExampleProgramNumber();
}

void Run(const SymbolsOptions& o) {
  SymbolParams params;
  if (o.templateOption->count() > 0) {
    if (!std::ifstream(PathFromUtf8(o.settingsFile), std::ios::binary)) {
      std::cerr << "Cannot read the settings file " << o.settingsFile << '\n';
      SetExitStatus(kExitUsageError);
      return;
    }
    params = FormFromTemplate(ReadSymbolTemplate(LoadSettingsFile(o.settingsFile), o.templateNumber));
  } else {
    params = ExampleNamed(o.example);
  }
  ApplyFieldOptions(OptionTable(), *o.given, params);
  if (o.areaOption->count() > 0) params.area = AreaIndex(o.area);

  OutputOptions output = o.output;
  output.rowsAreText = true;
  SetExitStatus(EmitResult("symbols", GenerateSymbols(params, SelectedMnemonics(output)), output));
}

}  // namespace

void RegisterSymbols(CLI::App& app) {
  auto options = std::make_shared<SymbolsOptions>();
  CLI::App* command = app.add_subcommand(
      "symbols",
      "Symbol generator (\"Symbolgenerator\"): one symbol row per bit address, symbol and comment expanded from "
      "patterns with <A1>, <A2>, <C1>, <C2>, <C3>, <T1> and <T2>. Starts from a built-in example or a stored "
      "template; the options given override its fields. The rows are the text: cells separated by TAB, CR LF per "
      "row.");
  auto* example =
      command
          ->add_option("--example", options->example,
                       "Start from \"Beispiel Interface\", \"Beispiel Zylinder\" or \"Beispiel Programmnummer\"")
          ->check(CLI::IsMember({"interface", "cylinder", "program-number"}))
          ->capture_default_str();
  auto* settings = command->add_option("--settings", options->settingsFile, "Settings file holding the templates");
  options->templateOption =
      command->add_option("--template", options->templateNumber, "Start from stored template N of --settings")
          ->check(CLI::Range(1, SettingsRecord::kTemplateCount))
          ->type_name("N");
  options->templateOption->needs(settings);
  settings->needs(options->templateOption);
  options->templateOption->excludes(example);

  AddFieldOptions(*command, OptionTable(), options->given);
  options->areaOption =
      command->add_option("--area", options->area,
                          "\"Adressbereich\": inputs|outputs|flags; any other text selects no item (default: flags)");
  AddOutputOptions(*command, options->output);
  command->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
