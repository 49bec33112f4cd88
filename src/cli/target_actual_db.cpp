// target-actual-db: the target/actual data block ("Soll- Ist- DB").
#include <iostream>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "project/run_record.h"

namespace brendax::cli {
namespace {

struct TargetActualOptions {
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
  std::string variantSymbolsFile;
  std::string addressSymbolsFile;
  OutputOptions output;
};

// The fields have options of their own; the two lists come from files.
void Run(const TargetActualOptions& o) {
  TargetActualParams params;
  std::string failure;
  if (!TargetActualFromOptions(*o.given, o.variantSymbolsFile, o.addressSymbolsFile, params, failure)) {
    std::cerr << failure << '\n';
    SetExitStatus(kExitUsageError);
    return;
  }
  SetExitStatus(EmitRecord(params, o.output));
}

}  // namespace

void RegisterTargetActualDb(CLI::App& app) {
  auto options = std::make_shared<TargetActualOptions>();
  CLI::App* cmd = app.add_subcommand(
      "target-actual-db",
      "Target/actual DB (\"Soll- Ist- DB\"): actual double words, teach mask, error bits, and target and active bits "
      "per variant for every input bit");
  AddFieldOptions(*cmd, TargetActualOptionFields(), options->given);
  cmd->add_option("--variant-symbols", options->variantSymbolsFile,
                  "\"Symbolzuordnung Varianten / Schritte\": FILE of assignment lines \"v=Symbol\" (UTF-8 or "
                  "Windows-1252, CR LF or LF)")
      ->check(ReadableFileValidator())
      ->type_name("FILE");
  cmd->add_option("--address-symbols", options->addressSymbolsFile,
                  "\"Symbolzuordnung Adressen\": FILE of assignment lines \"byte_bit=Symbol\" (UTF-8 or "
                  "Windows-1252, CR LF or LF)")
      ->check(ReadableFileValidator())
      ->type_name("FILE");
  AddOutputOptions(*cmd, options->output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
