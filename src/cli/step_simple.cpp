// step-simple: the simple step-sequence generator ("AWL-Schrittkette-Simple").
#include <memory>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "stepseq/simple_step.h"

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
  command->callback([given, output] {
    SimpleStepParams params = DefaultsOf(SimpleStepFields());
    ApplyFieldOptions(SimpleStepFields(), *given, params);
    // As in the dialog, the jump list fixes the numbering and the option.
    if (params.structure == kSimpleJumpList) ApplyJumpListStructure(params);
    TrimFields(SimpleStepFields(), params);
    SetExitStatus(EmitResult("step-simple", GenerateSimpleStep(params, SelectedMnemonics(*output)), *output));
  });
}

}  // namespace brendax::cli
