// db-image: the image of a file as a data block ("DB- Abbild von Datei").
#include <memory>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "project/run_record.h"

namespace brendax::cli {
namespace {

struct DbImageOptions {
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
  std::string file;
  OutputOptions output;
};

// The fields with an option of their own; "Automatisch" follows from
// whether --count is given.
void Run(const DbImageOptions& o) { SetExitStatus(EmitRecord(DbImageFromOptions(*o.given, o.file), o.output)); }

}  // namespace

void RegisterDbImage(CLI::App& app) {
  auto options = std::make_shared<DbImageOptions>();
  CLI::App* cmd = app.add_subcommand(
      "db-image",
      "DB image of a file (\"DB- Abbild von Datei\"): the bytes of any file as one initialised array of BYTE, WORD, "
      "DWORD or CHAR");
  cmd->add_option("FILE", options->file, "\"Quelldatei (Text- oder Binär-File)\": the file to read")->required();
  AddFieldOptions(*cmd, DbImageOptionFields(), options->given);
  AddOutputOptions(*cmd, options->output);
  cmd->footer(
      "Without --count the number of elements follows from the file size (\"Automatisch\"); a file larger than the "
      "array is cut, with a warning on standard error.");
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
