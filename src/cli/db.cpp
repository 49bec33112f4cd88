// db: the DB source generator ("DB - Quelle erzeugen").
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "datablocks/db_source.h"

namespace brendax::cli {
namespace {

struct DbOptions {
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
  std::vector<std::string> suffixes;        // --suffix, in order (UTF-8)
  std::optional<std::string> initialValue;  // --initial-value (UTF-8)
  OutputOptions output;
};

// The fields that come straight from the table; the suffix lines and the
// initial value, whose default follows the type, are handled here.
const FieldTable<DbSourceParams>& TableOptions() {
  static const FieldTable<DbSourceParams> table = [] {
    FieldTable<DbSourceParams> t;
    for (const auto& f : DbSourceFields()) {
      const std::string option = f.option;
      if (option != "suffix" && option != "initial-value") t.push_back(f);
    }
    return t;
  }();
  return table;
}

void Run(const DbOptions& o) {
  DbSourceParams params = DefaultsOf(DbSourceFields());
  ApplyFieldOptions(TableOptions(), *o.given, params);
  std::vector<std::string> lines;
  for (const auto& suffix : o.suffixes) lines.push_back(FieldText(suffix));
  params.suffixes = DbSourceSuffixText(lines);
  // As in the dialog, picking a type proposes its initial value.
  params.initialValue = o.initialValue ? FieldText(*o.initialValue) : ProposedInitialValue(params.type);
  SetExitStatus(EmitResult("db", GenerateDbSource(params), o.output));
}

}  // namespace

void RegisterDb(CLI::App& app) {
  auto options = std::make_shared<DbOptions>();
  CLI::App* cmd = app.add_subcommand(
      "db", "DB source (\"DB - Quelle erzeugen\"): a data block of variables of one elementary type");
  AddFieldOptions(*cmd, TableOptions(), options->given);
  cmd->add_option("--suffix", options->suffixes,
                  "\"Sequenz (optional)\": one name suffix, repeatable, used in turn in the given order "
                  "(none: no suffixes; --suffix= adds an empty line)")
      ->type_name("LINE")
      ->allow_extra_args(false);
  cmd->add_option_function<std::string>(
         "--initial-value", [options](const std::string& value) { options->initialValue = value; },
         "\"Anfangswertzuweisung\": initial value of every variable; empty: none "
         "(default: the value proposed for the type, e.g. 0 for Bool, W#16#0 for Word)")
      ->type_name("TEXT");
  AddOutputOptions(*cmd, options->output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
