// templates: the eight symbol-generator templates stored in a settings file:
// listed, or one of them stored from the symbol form's options.
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "core/input_file.h"
#include "core/settings.h"
#include "project/run_record.h"
#include "symbols/symbol_generator.h"
#include "symbols/symbol_templates.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

struct TemplatesOptions {
  std::string settingsFile;
  std::string encoding = "windows-1252";
  bool json = false;
  int store = 0;  // --store N: the template to write; 0 lists them
  std::string name;
  std::string area;
  CLI::Option* areaOption = nullptr;
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
};

// A template that was never saved is all zero.
bool NeverSaved(const SettingsRecord& record, int n) {
  const auto begin = record.bytes().begin() + static_cast<std::ptrdiff_t>(SettingsRecord::TemplateOffset(n));
  for (auto it = begin; it != begin + SettingsRecord::kTemplateSize; ++it)
    if (*it != 0) return false;
  return true;
}

// Writes template N of the form given by the options (from the defaults of
// the form) into the settings file, creating a zero record when there is
// none; a template the window would not save is refused with its message.
void Store(const TemplatesOptions& o) {
  SymbolsStart start;
  SymbolParams form;
  std::string failure;
  const std::optional<std::string> area = o.areaOption->count() > 0 ? std::optional(o.area) : std::nullopt;
  SymbolsFromOptions(start, *o.given, area, form, failure);
  const SymbolTemplate stored = TemplateFromForm(form, Utf8ToCp1252(o.name));
  if (const GeneratorResult refused = CheckTemplateForSaving(stored); !refused.ok()) {
    std::cerr << Cp1252ToUtf8(ErrorBoxText(refused)) << '\n';
    SetExitStatus(kExitValidationError);
    return;
  }
  SettingsRecord record = LoadSettingsFile(o.settingsFile);
  WriteSymbolTemplate(record, o.store, stored);
  if (!SaveSettingsFile(o.settingsFile, record)) {
    std::cerr << "Cannot write " << EscapedForMessage(o.settingsFile) << '\n';
    SetExitStatus(kExitWriteFailure);
    return;
  }
  SetExitStatus(kExitGenerated);
}

void Run(const TemplatesOptions& o) {
  if (o.store != 0) return Store(o);
  if (const std::string problem = InputFileProblem(o.settingsFile); !problem.empty())
    throw CLI::ValidationError("--settings", CannotReadMessage(o.settingsFile, problem));
  const SettingsRecord record = LoadSettingsFile(o.settingsFile);
  if (o.json) {
    auto slots = nlohmann::ordered_json::array();
    for (int n = 1; n <= SettingsRecord::kTemplateCount; ++n) {
      nlohmann::ordered_json options = nlohmann::ordered_json::object();
      for (const auto& [option, value] :
           FieldValuesOf(SymbolFieldTable(), FormFromTemplate(ReadSymbolTemplate(record, n))))
        options[option] = value;
      slots.push_back({{"number", n},
                       {"name", Cp1252ToUtf8(SymbolTemplateName(record, n))},
                       {"neverSaved", NeverSaved(record, n)},
                       {"options", std::move(options)}});
    }
    SetExitStatus(WriteStandardOutput(slots.dump(2) + '\n') ? kExitGenerated : kExitWriteFailure);
    return;
  }
  // One line per slot: number, TAB, name, TAB, "saved" or "never saved";
  // control characters in a name are shown escaped, so that every slot
  // stays on its line.
  std::string text;
  for (int n = 1; n <= SettingsRecord::kTemplateCount; ++n) {
    text += std::to_string(n) + '\t' + EscapedForMessage(SymbolTemplateName(record, n), false) + '\t' +
            (NeverSaved(record, n) ? "never saved" : "saved") + "\r\n";
  }
  if (o.encoding == "utf-8") text = Cp1252ToUtf8(text);
  SetExitStatus(WriteStandardOutput(text) ? kExitGenerated : kExitWriteFailure);
}

}  // namespace

void RegisterTemplates(CLI::App& app) {
  auto options = std::make_shared<TemplatesOptions>();
  CLI::App* command = app.add_subcommand(
      "templates",
      "Lists the eight symbol-generator templates of a settings file: number, name, whether never saved (with "
      "--json also each one's form as options); with --store N writes template N from the symbols subcommand's "
      "field options");
  // Checked when listing; --store creates the file when there is none.
  command->add_option("--settings", options->settingsFile, "The settings file")->required();
  command->add_option("--encoding", options->encoding, "Encoding of the text output")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->capture_default_str();
  command->add_flag("--json", options->json, "Print the slots as one JSON array");
  auto* store = command
                    ->add_option("--store", options->store,
                                 "Write template N of --settings from the form the field options give, starting "
                                 "from \"Beispiel Programmnummer\" as the symbols subcommand does")
                    ->check(CLI::Range(1, SettingsRecord::kTemplateCount))
                    ->type_name("N");
  auto* name = command->add_option("--name", options->name, "The name of the stored template (with --store)");
  name->needs(store);
  store->needs(name);
  AddFieldOptions(*command, SymbolTextFields(), options->given);
  options->areaOption =
      command->add_option("--area", options->area,
                          "\"Adressbereich\": inputs|outputs|flags; any other text selects no item (default: flags)");
  // The form's options belong to --store.
  for (CLI::Option* option : command->get_options())
    if (option != store && option != name && !option->get_lnames().empty() &&
        (option->get_lnames().front() == "area" || FindFieldByOption(SymbolTextFields(), option->get_lnames().front())))
      option->needs(store);
  command->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
