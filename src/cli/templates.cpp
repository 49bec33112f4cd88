// templates: the eight symbol-generator templates stored in a settings file.
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/commands.h"
#include "cli/output.h"
#include "core/settings.h"
#include "symbols/symbol_templates.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

struct TemplatesOptions {
  std::string settingsFile;
  std::string encoding = "windows-1252";
  bool json = false;
};

// A template that was never saved is all zero.
bool NeverSaved(const SettingsRecord& record, int n) {
  const auto begin = record.bytes().begin() + static_cast<std::ptrdiff_t>(SettingsRecord::TemplateOffset(n));
  for (auto it = begin; it != begin + SettingsRecord::kTemplateSize; ++it)
    if (*it != 0) return false;
  return true;
}

void Run(const TemplatesOptions& o) {
  const SettingsRecord record = LoadSettingsFile(o.settingsFile);
  if (o.json) {
    auto slots = nlohmann::ordered_json::array();
    for (int n = 1; n <= SettingsRecord::kTemplateCount; ++n) {
      slots.push_back({{"number", n},
                       {"name", Cp1252ToUtf8(SymbolTemplateName(record, n))},
                       {"neverSaved", NeverSaved(record, n)}});
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
      "templates", "Lists the eight symbol-generator templates of a settings file: number, name, whether never saved");
  command->add_option("--settings", options->settingsFile, "The settings file")
      ->required()
      ->check(ReadableFileValidator());
  command->add_option("--encoding", options->encoding, "Encoding of the text output")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->capture_default_str();
  command->add_flag("--json", options->json, "Print the slots as one JSON array");
  command->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
