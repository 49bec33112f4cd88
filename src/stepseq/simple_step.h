// The simple step sequence: one STL function with an integer step number,
// found through a jump list or by comparing the number with every step.
#pragma once

#include <string>

#include "core/field_table.h"
#include "core/generator_result.h"
#include "core/mnemonics.h"

namespace brendax {

// The dialog's fields exactly as they stand; their defaults are those of
// the field table.
struct SimpleStepParams {
  std::string fcNumber;
  std::string fcName;
  std::string firstStep;
  std::string distance;
  std::string count;
  std::string release1;
  std::string release2;
  std::string release3;
  std::string release4;
  int structure = 0;  // kSimpleJumpList or kSimpleComparator
  bool oneChangePerCycle = false;
  bool networkPerStep = false;  // the stored flag NetworkPerStep

  bool operator==(const SimpleStepParams&) const = default;
};

// RadioGroup1 items.
inline constexpr int kSimpleJumpList = 0;
inline constexpr int kSimpleComparator = 1;

// The fields in the dialog's order: controls, captions, defaults, trimming
// (the nine texts) and the command-line options.
const FieldTable<SimpleStepParams>& SimpleStepFields();

// What choosing the jump-list structure forces: structure 0, first step "0",
// distance "1" and at most one step change per cycle.
void ApplyJumpListStructure(SimpleStepParams& params);

// The generate action on already trimmed fields: the checks in their fixed
// order, then the symbol row of the function and the lines of its source.
GeneratorResult GenerateSimpleStep(const SimpleStepParams& params, const MnemonicSet& mnemonics);

// The text of the "?" button: lines separated by CR alone, ending with one.
const std::string& SimpleStepHelpText();

}  // namespace brendax
