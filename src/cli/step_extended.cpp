// step-extended: the extended step sequence (step data block, step timer
// function, step-sequence function) from the fields of its dialog.
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "project/run_record.h"

namespace brendax::cli {

void RegisterStepExtended(CLI::App& app) {
  auto given = std::make_shared<GivenOptions>();
  auto output = std::make_shared<OutputOptions>();
  auto example = std::make_shared<std::string>("1");
  CLI::App* command =
      app.add_subcommand("step-extended",
                         "Extended step sequence: step data block, step timer function (with internal timers) and "
                         "step-sequence function. Omitted fields keep the values of the chosen example set.");
  command->add_option("--example", *example, "Start from the values of \"Beispiel 1\" or \"Beispiel 2\"")
      ->check(CLI::IsMember({"1", "2"}))
      ->capture_default_str();
  AddFieldOptions(*command, ExtendedStepFields(), given);
  AddOutputOptions(*command, *output);
  command->callback(
      [given, output, example] { SetExitStatus(EmitRecord(ExtendedStepFromOptions(*example, *given), *output)); });
}

}  // namespace brendax::cli
