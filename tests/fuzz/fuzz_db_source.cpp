// Fuzz target: the DB source generator's parameter record, every field from the input.
#include "datablocks/db_source.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const auto& table = DbSourceFields();
  fuzz::FuzzInput input(data, size, fuzz::ChoiceCount(table) + 2);
  input.Flag();  // the mnemonics: not used here
  const bool trimmed = input.Flag();
  DbSourceParams params = fuzz::FillRecord(table, input);
  if (trimmed) TrimFields(table, params);
  fuzz::RunTwiceAndCheck([&] { return GenerateDbSource(params); });
  return 0;
}
