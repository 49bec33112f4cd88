// schema: every generator's form as JSON, for forms built outside the window
// (the browser page), and, with --job, a JSON Schema of batch job files for
// editors. Fields come from the field tables (caption, kind, default, items,
// group); the options that are no table field from this command line's own
// option list (name, default, description).
#include <CLI/CLI.hpp>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "core/generator_codes.h"
#include "core/tool_menu.h"
#include "core/version.h"
#include "datablocks/db_image.h"
#include "datablocks/db_source.h"
#include "datablocks/message_db.h"
#include "datablocks/target_actual.h"
#include "project/job.h"
#include "project/job_runs.h"
#include "project/run_record.h"
#include "stepseq/extended_step.h"
#include "stepseq/simple_step.h"
#include "symbols/symbol_generator.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

using Json = nlohmann::ordered_json;

// The German part of a "German@English" caption.
std::string German(const char* caption) {
  const std::string text = caption;
  return text.substr(0, text.find('@'));
}

// --- Fields from the tables -------------------------------------------

template <class P>
Json FieldJson(const Field<P>& f) {
  Json field;
  field["option"] = f.option;
  field["caption"] = f.label;
  switch (f.kind) {
    case FieldKind::kText:
      field["kind"] = f.multiLine ? "lines" : "text";
      field["default"] = Cp1252ToUtf8(f.defaultText);
      break;
    case FieldKind::kCheck:
      field["kind"] = "check";
      field["default"] = f.defaultIndex != 0 ? "on" : "off";
      break;
    case FieldKind::kChoice: {
      field["kind"] = "choice";
      const bool inRange = f.defaultIndex >= 0 && f.defaultIndex < static_cast<int>(f.choices.size());
      field["default"] = inRange ? Json(f.choices[static_cast<std::size_t>(f.defaultIndex)]) : Json();
      Json items = Json::array();
      for (std::size_t i = 0; i < f.choices.size(); ++i)
        items.push_back({{"value", f.choices[i]}, {"caption", i < f.items.size() ? f.items[i] : f.choices[i]}});
      field["items"] = std::move(items);
      break;
    }
  }
  if (f.fromFile) field["file"] = true;
  field["group"] = *f.group != '\0' ? Json(f.group) : Json();
  field["repeatable"] = false;
  field["help"] = f.help;
  return field;
}

template <class P>
std::optional<Json> FromTable(const FieldTable<P>& table, const std::string& option) {
  if (const Field<P>* f = FindFieldByOption(table, option)) return FieldJson(*f);
  return std::nullopt;
}

// The table field of a subcommand's option; nothing for options that are
// no table field.
std::optional<Json> TableField(const std::string& subcommand, const std::string& option) {
  if (subcommand == "step-simple") return FromTable(SimpleStepFields(), option);
  if (subcommand == "step-extended") return FromTable(ExtendedStepFields(), option);
  if (subcommand == "symbols") return FromTable(SymbolFieldTable(), option);
  if (subcommand == "db") return FromTable(DbSourceFields(), option);
  if (subcommand == "message-db") return FromTable(MessageDbFields(), option);
  if (subcommand == "target-actual-db") return FromTable(TargetActualFields(), option);
  if (subcommand == "db-image") return FromTable(DbImageOptionFields(), option);
  return std::nullopt;
}

// --- Fields from the option list ----------------------------------------

// The first "quoted" text of a description: the dialog's caption.
std::string QuotedCaption(const std::string& description) {
  const std::size_t open = description.find('"');
  const std::size_t close = open == std::string::npos ? open : description.find('"', open + 1);
  return close == std::string::npos ? std::string() : description.substr(open + 1, close - open - 1);
}

// "{a,b,c}" of a membership check: the values.
std::vector<std::string> MemberValues(const CLI::Option& option) {
  std::string text;
  auto& checked = const_cast<CLI::Option&>(option);
  try {
    for (int i = 0; text.find('{') == std::string::npos; ++i) text = checked.get_validator(i)->get_description();
  } catch (const CLI::OptionNotFound&) {
    // no membership check
  }
  std::vector<std::string> values;
  const std::size_t open = text.find('{');
  const std::size_t close = text.rfind('}');
  if (open == std::string::npos || close == std::string::npos || close < open) return values;
  std::string value;
  for (std::size_t i = open + 1; i <= close; ++i) {
    if (i == close || text[i] == ',') {
      values.push_back(value);
      value.clear();
    } else {
      value += text[i];
    }
  }
  return values;
}

// The default a description names ("(default: 0.0)"), else the option's own.
std::string DefaultOf(const CLI::Option& option) {
  const std::string& description = option.get_description();
  const std::string marker = "(default: ";
  if (const std::size_t at = description.rfind(marker); at != std::string::npos) {
    const std::size_t end = description.find(')', at);
    const std::string shown = description.substr(at + marker.size(), end - at - marker.size());
    return shown == "empty" ? std::string() : shown;
  }
  return option.get_default_str();
}

// The caption of a choice's value in a description (value = "Caption").
std::string ItemCaption(const std::string& description, const std::string& value) {
  const std::string marker = value + " = \"";
  const std::size_t at = description.find(marker);
  if (at == std::string::npos) return value;
  const std::size_t end = description.find('"', at + marker.size());
  return description.substr(at + marker.size(), end - at - marker.size());
}

std::string OptionName(const CLI::Option& option) {
  if (option.get_positional()) return kDbImageFileOption;  // db-image's FILE, the one positional of a generator
  return option.get_lnames().empty() ? option.get_name() : option.get_lnames().front();
}

Json OptionField(const CLI::Option& option) {
  const std::string& description = option.get_description();
  const std::string name = OptionName(option);
  Json field;
  field["option"] = name;
  const std::string caption = QuotedCaption(description);
  field["caption"] = caption.empty() ? name : caption;
  const std::vector<std::string> values = MemberValues(option);
  const bool names_file = option.get_positional() || option.get_type_name() == "FILE" || name == "settings";
  if (values == std::vector<std::string>{"on", "off"}) {
    field["kind"] = "check";
  } else if (!values.empty()) {
    field["kind"] = "choice";
  } else {
    field["kind"] = names_file ? "file" : "text";
  }
  const std::string shown = DefaultOf(option);
  field["default"] = shown.empty() && names_file ? Json() : Json(shown);
  if (field["kind"] == "choice") {
    Json items = Json::array();
    for (const std::string& value : values)
      items.push_back({{"value", value}, {"caption", ItemCaption(description, value)}});
    field["items"] = std::move(items);
  }
  field["group"] = nullptr;
  field["repeatable"] = option.get_items_expected_max() > 1;
  field["help"] = description;
  return field;
}

// --- The whole schema ---------------------------------------------------

// The fields of a subcommand, in its options' order; the outputs are the
// module's and the job's, not the form's.
Json FieldsOf(const CLI::App& command) {
  Json fields = Json::array();
  for (const CLI::Option* option : command.get_options()) {
    const std::string name = OptionName(*option);
    if (option == command.get_help_ptr() || IsOutputOption(name)) continue;
    std::optional<Json> field = TableField(command.get_name(), name);
    if (!field) {
      field = OptionField(*option);
    } else {
      (*field)["repeatable"] = option->get_items_expected_max() > 1;
      if ((*field)["help"] == "") (*field)["help"] = option->get_description();
    }
    fields.push_back(std::move(*field));
  }
  return fields;
}

// Every field's value of a record, as options.
template <class P>
Json AllFieldOptions(const FieldTable<P>& table, const P& p) {
  Json options = Json::object();
  for (const auto& [option, value] : FieldValuesOf(table, p)) options[option] = value;
  return options;
}

// The example buttons and menu entries of the dialogs.
Json ExamplesOf(const std::string& subcommand) {
  Json examples = Json::array();
  if (subcommand == "step-extended") {
    for (const char* n : {"1", "2"})
      examples.push_back({{"caption", std::string("Beispiel ") + n},
                          {"options", AllFieldOptions(ExtendedStepFields(), ExtendedStepFromOptions(n, {}))}});
  } else if (subcommand == "symbols") {
    const struct {
      const char* name;
      const char* caption;
    } known[] = {{"interface", "Beispiel Interface"},
                 {"cylinder", "Beispiel Zylinder"},
                 {"program-number", "Beispiel Programmnummer"}};
    for (const auto& example : known) {
      SymbolsStart start;
      start.example = example.name;
      SymbolParams params;
      std::string failure;
      if (SymbolsFromOptions(start, {}, std::nullopt, params, failure))
        examples.push_back({{"caption", example.caption}, {"options", AllFieldOptions(SymbolFieldTable(), params)}});
    }
  }
  return examples;
}

// What a generator's run puts into the window: source lines, symbol rows.
Json WritesOf(const std::string& subcommand) {
  const bool lines = subcommand != "symbols";
  // The block generators write their blocks only; the step sequences also
  // name their function (and data block) in the symbol grid.
  const bool rows = subcommand == "symbols" || subcommand == "step-simple" || subcommand == "step-extended";
  return {{"lines", lines}, {"rows", rows}};
}

const CLI::App* Subcommand(const CLI::App& app, const char* name) {
  for (const CLI::App* sub : app.get_subcommands({}))
    if (sub->get_name() == name) return sub;
  return nullptr;
}

Json MenuEntry(const ToolMenuEntry& entry) {
  return {{"caption", German(entry.caption)}, {"subcommand", entry.subcommand}, {"expert", entry.expertOnly}};
}

Json Menus() {
  Json tools = Json::array();
  Json sources = Json::array();
  Json below = Json::array();
  for (const ToolMenuEntry& entry : ToolMenuEntries()) {
    switch (entry.menu) {
      case ToolMenu::kTools: tools.push_back(MenuEntry(entry)); break;
      case ToolMenu::kSourceGenerator: sources.push_back(MenuEntry(entry)); break;
      case ToolMenu::kToolsBelowSeparator: below.push_back(MenuEntry(entry)); break;
    }
  }
  tools.push_back({{"caption", kSourceGeneratorMenuCaption}, {"entries", std::move(sources)}});
  tools.push_back({{"separator", true}});
  for (auto& entry : below) tools.push_back(std::move(entry));
  return Json::array({{{"caption", kToolsMenuCaption}, {"entries", std::move(tools)}}});
}

std::string VersionNumber() {
  const std::string line = kVersionLine;
  return line.substr(line.rfind(' ') + 1);
}

Json FormSchema(const CLI::App& app) {
  Json doc;
  doc["version"] = VersionNumber();
  doc["common"] = Json::array(
      {{{"option", "mnemonics"},
        {"caption", "Mnemonik"},
        {"kind", "choice"},
        {"default", "de"},
        {"items", Json::array({{{"value", "de"}, {"caption", "Deutsch"}}, {{"value", "en"}, {"caption", "Englisch"}}})},
        {"group", nullptr},
        {"repeatable", false},
        {"help", "Mnemonic convention of the generated code"}}});
  doc["menus"] = Menus();
  Json generators = Json::array();
  for (const ToolMenuEntry& entry : ToolMenuEntries()) {
    const CLI::App* command = Subcommand(app, entry.subcommand);
    if (command == nullptr) continue;
    generators.push_back({{"subcommand", entry.subcommand},
                          {"caption", entry.dialog},
                          {"tool", entry.code == kGenNone},
                          {"expert", entry.expertOnly},
                          {"writes", WritesOf(entry.subcommand)},
                          {"examples", ExamplesOf(entry.subcommand)},
                          {"fields", FieldsOf(*command)}});
  }
  doc["generators"] = std::move(generators);
  return doc;
}

// --- The JSON Schema of job files ---------------------------------------

Json OptionValueSchema(const RunOption& option, const Json& field) {
  Json one = {{"type", "string"}};
  if (option.kind == RunOption::Kind::kChoice) one["enum"] = option.choices;
  Json schema;
  if (option.kind == RunOption::Kind::kList) {
    schema["anyOf"] = Json::array({one, {{"type", "array"}, {"items", one}}});
  } else {
    schema = one;
  }
  std::string description = field.value("caption", std::string());
  const std::string help = field.value("help", std::string());
  if (!help.empty() && help != description) description += description.empty() ? help : ": " + help;
  schema["description"] = description;
  if (field.contains("default") && field["default"].is_string()) schema["default"] = field["default"];
  return schema;
}

Json JobSchema(const CLI::App& app) {
  Json defs = Json::object();
  Json names = Json::array();
  Json cases = Json::array();
  for (const ToolMenuEntry& entry : ToolMenuEntries()) {
    const std::string generator = entry.subcommand;
    const CLI::App* command = Subcommand(app, entry.subcommand);
    if (command == nullptr || GeneratesNoBlocks(generator) || RunOptionsOf(generator).empty()) continue;
    const Json fields = FieldsOf(*command);
    Json properties = Json::object();
    for (const RunOption& option : RunOptionsOf(generator)) {
      Json field = Json::object();
      for (const auto& f : fields)
        if (f["option"] == option.name) field = f;
      properties[option.name] = OptionValueSchema(option, field);
    }
    defs[generator] = {{"type", "object"},
                       {"description", std::string(entry.dialog) + ": the options of " + generator},
                       {"properties", std::move(properties)},
                       {"additionalProperties", false}};
    names.push_back(generator);
    cases.push_back({{"if", {{"properties", {{"generator", {{"const", generator}}}}}}},
                     {"then", {{"properties", {{"options", {{"$ref", "#/$defs/" + generator}}}}}}}});
  }
  const auto path = [](const char* what) { return Json{{"type", "string"}, {"minLength", 1}, {"description", what}}; };
  Json doc;
  doc["$schema"] = "https://json-schema.org/draft/2020-12/schema";
  doc["title"] = "Brendax batch job";
  doc["description"] = "A job of generator runs for brendax-cli batch and the window's projects";
  doc["type"] = "object";
  doc["properties"] = {
      {"$schema", {{"type", "string"}, {"description", "The JSON Schema of the file, for editors"}}},
      {"source", path("The source file written with every block (relative to the job file's folder)")},
      {"symbols", path("The symbol file written with every row")},
      {"symbols-format",
       {{"enum", {"tsv", "asc", "sdf", "seq"}},
        {"description", "Format of the symbol file; default: after its extension"}}},
      {"mnemonics", {{"enum", {"de", "en"}}, {"default", "de"}, {"description", "Mnemonic convention"}}},
      {"symbol-table", path("The project's symbol table that the new rows must agree with")},
      {"merge", {{"type", "boolean"}, {"description", "The symbol file is the symbol table with the new rows added"}}},
      {"runs",
       {{"type", "array"},
        {"minItems", 1},
        {"items",
         {{"type", "object"},
          {"properties",
           {{"generator", {{"enum", names}, {"description", "The subcommand of the run"}}},
            {"options", {{"type", "object"}, {"description", "The subcommand's options by their long names"}}}}},
          {"required", {"generator"}},
          {"additionalProperties", false},
          {"allOf", std::move(cases)}}}}}};
  doc["required"] = {"runs"};
  doc["anyOf"] = Json::array({{{"required", {"source"}}}, {{"required", {"symbols"}}}});
  doc["additionalProperties"] = false;
  doc["$defs"] = std::move(defs);
  return doc;
}

}  // namespace

void RegisterSchema(CLI::App& app) {
  auto job = std::make_shared<bool>(false);
  auto output = std::make_shared<OutputOptions>();
  CLI::App* command = app.add_subcommand(
      "schema",
      "Prints every generator's form as JSON (fields with caption, kind, default, items and group; menus; "
      "examples); with --job a JSON Schema of batch job files for editors");
  command->add_flag("--job", *job, "Print the JSON Schema (draft 2020-12) of batch job files");
  command->add_option("-o,--output", output->outFile, "Write the JSON to FILE instead of standard output");
  CLI::App* root = &app;
  command->callback(
      [root, job, output] { SetExitStatus(EmitJson(*job ? JobSchema(*root) : FormSchema(*root), *output)); });
}

}  // namespace brendax::cli
