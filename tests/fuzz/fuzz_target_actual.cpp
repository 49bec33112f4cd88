// Fuzz target: the target/actual DB generator's parameter record, every field from the input.
#include "datablocks/target_actual.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const auto& table = TargetActualFields();
  fuzz::FuzzInput input(data, size, fuzz::ChoiceCount(table) + 2);
  input.Flag();  // the mnemonics: not used here
  const bool trimmed = input.Flag();
  TargetActualParams params = fuzz::FillRecord(table, input);
  if (trimmed) TrimFields(table, params);
  fuzz::RunTwiceAndCheck([&] { return GenerateTargetActual(params); });
  return 0;
}
