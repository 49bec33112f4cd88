// Fuzz target: the symbol generator's parameter record, every field from the input.
#include "fuzz_input.h"
#include "symbols/symbol_generator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const auto& table = SymbolFieldTable();
  fuzz::FuzzInput input(data, size, fuzz::ChoiceCount(table) + 4);
  const bool english = input.Flag();
  const bool trimmed = input.Flag();
  SymbolParams params = fuzz::FillRecord(table, input);
  if (trimmed) TrimFields(table, params);
  // The view is no field but decides nothing; a typed area text gives -1.
  params.simplifiedView = input.Flag();
  if (input.Choice(4) == 3) params.area = -1;
  fuzz::RunTwiceAndCheck([&] { return GenerateSymbols(params, MnemonicsFor(english)); });
  return 0;
}
