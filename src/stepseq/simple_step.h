// The simple step sequence: one STL function with an integer step number,
// found through a jump list or by comparing the number with every step.
#pragma once

#include <string>

#include "core/generator_result.h"
#include "core/mnemonics.h"

namespace brendax {

// The dialog's fields exactly as they stand; the defaults are those of the
// dialog's first showing.
struct SimpleStepParams {
  std::string fcNumber = "80";             // LabeledEdit1 "FC- Nummer"
  std::string fcName = "FC_Schrittkette";  // LabeledEdit3 "FC- Name"
  std::string firstStep = "0";             // LabeledEdit9 "Nr. 1. Schritt"
  std::string distance = "5";              // LabeledEdit11 "Schrittabstand"
  std::string count = "12";                // LabeledEdit10 "Anzahl Schritte"
  std::string release1 = "Auto";           // LabeledEdit5 "In-Variable Freigabe 1"
  std::string release2 = "Freigabe";       // LabeledEdit6 "In-Variable Freigabe 2"
  std::string release3 = "";               // LabeledEdit7 "In-Variable Freigabe. 3"
  std::string release4 = "";               // LabeledEdit12 "In-Variable Freigabe. 4"
  int structure = 1;                       // RadioGroup1: 0 jump list, 1 comparator
  bool oneChangePerCycle = true;           // CheckBox1
  bool networkPerStep = false;             // CheckBox2 (the stored flag NetworkPerStep)
};

// RadioGroup1 items.
inline constexpr int kSimpleJumpList = 0;
inline constexpr int kSimpleComparator = 1;

// Trims the nine text fields in place, in the order in which the generate
// action writes them back into the dialog.
void TrimSimpleFields(SimpleStepParams& params);

// What choosing the jump-list structure forces: structure 0, first step "0",
// distance "1" and at most one step change per cycle.
void ApplyJumpListStructure(SimpleStepParams& params);

// The generate action on already trimmed fields: the checks in their fixed
// order, then the symbol row of the function and the lines of its source.
GeneratorResult GenerateSimpleStep(const SimpleStepParams& params, const MnemonicSet& mnemonics);

// The text of the "?" button: lines separated by CR alone, ending with one.
const std::string& SimpleStepHelpText();

}  // namespace brendax
