// step-simple: the simple step-sequence generator ("AWL-Schrittkette-Simple").
#include <memory>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "project/run_record.h"

namespace brendax::cli {

void RegisterStepSimple(CLI::App& app) {
  auto given = std::make_shared<GivenOptions>();
  auto output = std::make_shared<OutputOptions>();
  CLI::App* command = app.add_subcommand(
      "step-simple",
      "Simple step sequence (\"AWL-Schrittkette-Simple\"): one STL function with an integer step number; "
      "--structure jump-list forces first step 0, distance 1 and one change per cycle");
  AddFieldOptions(*command, SimpleStepFields(), given);
  AddOutputOptions(*command, *output);
  command->callback([given, output] { SetExitStatus(EmitRecord(SimpleStepFromOptions(*given), *output)); });
}

}  // namespace brendax::cli
