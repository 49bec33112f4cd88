// db: the DB source generator ("DB - Quelle erzeugen").
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "project/run_record.h"

namespace brendax::cli {
namespace {

struct DbOptions {
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
  std::vector<std::string> suffixes;        // --suffix, in order (UTF-8)
  std::optional<std::string> initialValue;  // --initial-value (UTF-8)
  OutputOptions output;
};

// The fields come straight from the table; the suffix lines and the initial
// value, whose default follows the type, have options of their own.
void Run(const DbOptions& o) {
  SetExitStatus(EmitRecord(DbSourceFromOptions(*o.given, o.suffixes, o.initialValue), o.output));
}

}  // namespace

void RegisterDb(CLI::App& app) {
  auto options = std::make_shared<DbOptions>();
  CLI::App* cmd = app.add_subcommand(
      "db", "DB source (\"DB - Quelle erzeugen\"): a data block of variables of one elementary type");
  AddFieldOptions(*cmd, DbSourceTableFields(), options->given);
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
