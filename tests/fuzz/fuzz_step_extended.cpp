// Fuzz target: the extended step-sequence generator's parameter record, every field from the input.
#include "fuzz_input.h"
#include "stepseq/extended_step.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const auto& table = ExtendedStepFields();
  fuzz::FuzzInput input(data, size, fuzz::ChoiceCount(table) + 2);
  const bool english = input.Flag();
  const bool trimmed = input.Flag();
  ExtendedStepParams params = fuzz::FillRecord(table, input);
  if (trimmed) TrimFields(table, params);
  fuzz::RunTwiceAndCheck([&] { return GenerateExtendedStep(params, MnemonicsFor(english)); });
  return 0;
}
