// symbols: the symbol generator ("Symbolgenerator") from a built-in example
// or a stored template, with any field overridden by its option.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "core/settings.h"
#include "project/run_record.h"

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

// The form's text fields come from the table; "Adressbereich" takes any
// text, as the combo box does, where text that names no item selects none.
void Run(const SymbolsOptions& o) {
  SymbolsStart start;
  start.example = o.example;
  if (o.templateOption->count() > 0) {
    start.settingsFile = o.settingsFile;
    start.templateNumber = o.templateNumber;
  }
  SymbolParams params;
  std::string failure;
  const std::optional<std::string> area = o.areaOption->count() > 0 ? std::optional(o.area) : std::nullopt;
  if (!SymbolsFromOptions(start, *o.given, area, params, failure)) {
    std::cerr << failure << '\n';
    SetExitStatus(kExitUsageError);
    return;
  }
  OutputOptions output = o.output;
  output.rowsAreText = true;
  SetExitStatus(EmitRecord(params, output));
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
  auto* settings = command->add_option("--settings", options->settingsFile, "Settings file holding the templates")
                       ->check(ReadableFileValidator());
  options->templateOption =
      command->add_option("--template", options->templateNumber, "Start from stored template N of --settings")
          ->check(CLI::Range(1, SettingsRecord::kTemplateCount))
          ->type_name("N");
  options->templateOption->needs(settings);
  settings->needs(options->templateOption);
  options->templateOption->excludes(example);

  AddFieldOptions(*command, SymbolTextFields(), options->given);
  options->areaOption =
      command->add_option("--area", options->area,
                          "\"Adressbereich\": inputs|outputs|flags; any other text selects no item (default: flags)");
  AddOutputOptions(*command, options->output);
  command->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
