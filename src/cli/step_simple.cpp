// step-simple: the simple step-sequence generator ("AWL-Schrittkette-Simple").
#include <memory>

#include "cli/commands.h"
#include "cli/output.h"
#include "stepseq/simple_step.h"

namespace brendax::cli {
namespace {

// Option values as typed on the command line (UTF-8); the defaults are the
// dialog's first-show values.
struct StepSimpleOptions {
  std::string fcNumber = "80";
  std::string fcName = "FC_Schrittkette";
  std::string structure = "comparator";
  std::string oneChangePerCycle = "on";
  std::string networkPerStep = "off";
  std::string firstStep = "0";
  std::string distance = "5";
  std::string count = "12";
  std::string release1 = "Auto";
  std::string release2 = "Freigabe";
  std::string release3;
  std::string release4;
  OutputOptions output;
};

void Run(const StepSimpleOptions& o) {
  SimpleStepParams params;
  params.fcNumber = FieldText(o.fcNumber);
  params.fcName = FieldText(o.fcName);
  params.structure = o.structure == "jump-list" ? kSimpleJumpList : kSimpleComparator;
  params.oneChangePerCycle = OnOff(o.oneChangePerCycle);
  params.networkPerStep = OnOff(o.networkPerStep);
  params.firstStep = FieldText(o.firstStep);
  params.distance = FieldText(o.distance);
  params.count = FieldText(o.count);
  params.release1 = FieldText(o.release1);
  params.release2 = FieldText(o.release2);
  params.release3 = FieldText(o.release3);
  params.release4 = FieldText(o.release4);
  // As in the dialog, the jump list fixes the numbering and the option.
  if (params.structure == kSimpleJumpList) ApplyJumpListStructure(params);
  TrimSimpleFields(params);
  const GeneratorResult result = GenerateSimpleStep(params, SelectedMnemonics(o.output));
  SetExitStatus(EmitResult("step-simple", result, o.output));
}

}  // namespace

void RegisterStepSimple(CLI::App& app) {
  auto options = std::make_shared<StepSimpleOptions>();
  CLI::App* cmd = app.add_subcommand(
      "step-simple",
      "Simple step sequence (\"AWL-Schrittkette-Simple\"): one STL function with an integer step number");
  StepSimpleOptions& o = *options;
  cmd->add_option("--fc-number", o.fcNumber, "\"FC- Nummer\": number of the function, 0 to 65535 (default: 80)");
  cmd->add_option("--fc-name", o.fcName, "\"FC- Name\": symbol name of the function (default: FC_Schrittkette)");
  cmd->add_option("--structure", o.structure,
                  "\"Struktur\": jump-list = \"Sprungleiste (schnell)\", comparator = \"Vergleicher (flexibel)\" "
                  "(default: comparator); jump-list forces first step 0, distance 1 and one change per cycle")
      ->check(CLI::IsMember({"jump-list", "comparator"}));
  cmd->add_option("--one-change-per-cycle", o.oneChangePerCycle,
                  "\"Nur eine Weiterschaltungpro SPS-Zyklus\": on|off (default: on)")
      ->check(OnOffValidator());
  cmd->add_option("--network-per-step", o.networkPerStep, "\"pro Schritt ein Netzwerk\": on|off (default: off)")
      ->check(OnOffValidator());
  cmd->add_option("--first-step", o.firstStep, "\"Nr. 1. Schritt\": number of the first step, 0 to 98 (default: 0)");
  cmd->add_option("--distance", o.distance, "\"Schrittabstand\": distance between step numbers, 1 to 50000 (default: 5)");
  cmd->add_option("--count", o.count, "\"Anzahl Schritte\": number of steps, last step at most 999 (default: 12)");
  cmd->add_option("--release1", o.release1, "\"In-Variable Freigabe 1\": first release operand (default: Auto)");
  cmd->add_option("--release2", o.release2, "\"In-Variable Freigabe 2\": second release operand (default: Freigabe)");
  cmd->add_option("--release3", o.release3, "\"In-Variable Freigabe. 3\": optional third release operand (default: empty)");
  cmd->add_option("--release4", o.release4, "\"In-Variable Freigabe. 4\": optional fourth release operand (default: empty)");
  AddOutputOptions(*cmd, o.output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
