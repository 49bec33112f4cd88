// step-extended: the extended step sequence (step data block, step timer
// function, step-sequence function) from the fields of its dialog.
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "stepseq/extended_step.h"

namespace brendax::cli {
namespace {

// The option values as typed (UTF-8); an option that was not given leaves
// the field of the chosen example set alone.
struct StepExtendedOptions {
  OutputOptions output;
  std::string example = "1";
  std::string timers;
  std::string backward;
  std::string maxSteps;
  struct Field {
    CLI::Option* option = nullptr;
    std::string value;
    std::string ExtendedStepParams::*member = nullptr;
  };
  std::vector<Field> fields;
  CLI::Option* timersOption = nullptr;
  CLI::Option* backwardOption = nullptr;
  CLI::Option* maxStepsOption = nullptr;
};

// The list's item index of a typed text; -1 when no item has that text.
int MaxStepsIndex(const std::string& text) {
  const auto& items = ExtendedMaxStepsItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

void Run(const StepExtendedOptions& o) {
  ExtendedStepParams params = o.example == "2" ? ExtendedExample2() : ExtendedExample1();
  for (const auto& field : o.fields) {
    if (field.option->count() > 0) params.*field.member = FieldText(field.value);
  }
  if (o.timersOption->count() > 0) params.timers = OnOff(o.timers);
  if (o.backwardOption->count() > 0) params.backward = OnOff(o.backward);
  if (o.maxStepsOption->count() > 0) params.maxStepsIndex = MaxStepsIndex(FieldText(o.maxSteps));
  TrimExtendedFields(params);
  const GeneratorResult result = GenerateExtendedStep(params, SelectedMnemonics(o.output));
  SetExitStatus(EmitResult("step-extended", result, o.output));
}

}  // namespace

void RegisterStepExtended(CLI::App& app) {
  auto options = std::make_shared<StepExtendedOptions>();
  CLI::App* command = app.add_subcommand(
      "step-extended",
      "Extended step sequence: step data block, step timer function (with internal timers) and "
      "step-sequence function. Omitted fields keep the values of the chosen example set.");

  command->add_option("--example", options->example, "Start from the values of \"Beispiel 1\" or \"Beispiel 2\"")
      ->check(CLI::IsMember({"1", "2"}))
      ->capture_default_str();

  // Every field in the order of the dialog, with its label; the default is
  // the "Beispiel 1" value.
  const ExtendedStepParams defaults = ExtendedExample1();
  options->fields.reserve(14);
  auto text = [&](const char* name, const char* label, std::string ExtendedStepParams::*member) {
    options->fields.push_back({nullptr, defaults.*member, member});
    auto& field = options->fields.back();
    field.option = command->add_option(name, field.value, label)->capture_default_str();
  };
  auto onOff = [&](const char* name, const char* label, bool value, std::string& target) {
    target = value ? "on" : "off";
    return command->add_option(name, target, label)->check(OnOffValidator())->capture_default_str();
  };

  text("--fc-number", "\"FC- Nummer\": number of the step-sequence function", &ExtendedStepParams::fcNumber);
  text("--fc-name", "\"FC- Name\": symbol name of that function", &ExtendedStepParams::fcName);
  text("--db-number", "\"DB- Nummer\": number of the step data block", &ExtendedStepParams::dbNumber);
  text("--db-name", "\"DB- Name\": symbol name of the data block", &ExtendedStepParams::dbName);
  options->timersOption = onOff("--timers", "\"Erzeuge interne Timer\": give every step a timer (on|off)",
                                defaults.timers, options->timers);
  text("--timer-fc-number", "\"FC- Nummer\" (timer): number of the step timer function",
       &ExtendedStepParams::timerFcNumber);
  text("--timer-fc-name", "\"FC- Name (Timer)\": symbol name of the step timer function",
       &ExtendedStepParams::timerFcName);
  options->maxSteps = ExtendedMaxStepsItems()[static_cast<std::size_t>(defaults.maxStepsIndex)];
  options->maxStepsOption =
      command
          ->add_option("--max-steps", options->maxSteps,
                       "\"Max. Anzahl Schritte (viele Schritte-> großer DB):\" 32, 64, 128, 256 or 512; "
                       "any other text selects no item")
          ->capture_default_str();
  text("--first-step", "\"Nr. 1. Schritt\": number of the first step", &ExtendedStepParams::firstStep);
  text("--initial-step", "\"Nr. Initialschritt\": step activated by the Init input",
       &ExtendedStepParams::initialStep);
  text("--count", "\"Anzahl Schritte\": number of steps", &ExtendedStepParams::count);
  text("--distance", "\"Schrittabstand\": distance between consecutive step numbers",
       &ExtendedStepParams::distance);
  options->backwardOption =
      onOff("--backward", "\"Erzeuge Rückwärts-Transitionen\": give every step a backward transition (on|off)",
            defaults.backward, options->backward);
  text("--release1", "\"In-Variable Freigabe 1\": first release input", &ExtendedStepParams::release1);
  text("--release2", "\"In-Variable Freigabe 2\": second release input", &ExtendedStepParams::release2);
  text("--release3", "\"In-Variable Freig. 3 (vorw.)\": release input of forward transitions",
       &ExtendedStepParams::release3);
  text("--release4", "\"In-Variable Freig. 4 (rückw.)\": release input of backward transitions",
       &ExtendedStepParams::release4);

  AddOutputOptions(*command, options->output);
  command->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
