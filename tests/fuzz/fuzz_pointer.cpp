// Fuzz target: the pointer tool, every control's state from the input.
#include "fuzz_input.h"
#include "tools/pointer_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  fuzz::FuzzInput input(data, size, 12);
  PointerState state;
  state.variant = input.Choice(3);
  state.dataType = input.Choice(PointerDataTypeItems().size());
  state.parameterType = input.Choice(PointerParameterTypeItems().size());
  state.area = input.Choice(PointerAreaItems().size());
  state.load = input.Flag();
  state.transfer = input.Flag();
  state.asByte = input.Flag();
  state.asWord = input.Flag();
  state.asDWord = input.Flag();
  state.comment1 = input.Flag();
  state.comment2 = input.Flag();
  state.repeat = input.Field();
  state.number = input.Field();
  state.dbNumber = input.Field();
  state.address = input.Field();
  const PointerListing first = Compute(state);
  const PointerListing second = Compute(state);
  fuzz::Check(first.bytes == second.bytes && first.lines == second.lines && first.errors == second.errors,
              "the same state gives the same listing");
  if (!first.errors.empty()) fuzz::Check(first.lines.size() > first.errors.size(), "errors are listed");
  for (const auto& line : first.lines) fuzz::CheckLine(line, "listing line");
  for (const auto& error : first.errors) fuzz::CheckLine(error, "error text");
  return 0;
}
