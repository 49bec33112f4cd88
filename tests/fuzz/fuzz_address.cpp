// Fuzz target: the address calculator, its four fields and the sought one.
#include "fuzz_input.h"
#include "tools/address_calculator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  fuzz::FuzzInput input(data, size, 1);
  AddressState state;
  state.sought = static_cast<AddressField>(input.Choice(kAddressFieldCount));
  for (auto& field : state.fields) field = input.LineField();
  const AddressResult first = Recompute(state);
  const AddressResult second = Recompute(state);
  fuzz::Check(first.fields == second.fields && first.marks == second.marks && first.invalid == second.invalid &&
                  first.distance == second.distance && first.inRange == second.inRange,
              "the same fields give the same result");
  for (const auto& field : first.fields) fuzz::CheckLine(field, "result field");
  // A computed value reads back with the rule of its field.
  if (first.inRange && !first.inputError) {
    const auto sought = static_cast<std::size_t>(state.sought);
    const std::string& written = first.fields[sought];
    const bool isAddress = state.sought == kStartAddress || state.sought == kEndAddress;
    fuzz::Check(isAddress ? ParseAddressBits(written).has_value() : ParseRunningNumber(written).has_value(),
                "a computed value reads back", written);
  }
  return 0;
}
