// Fuzz target: the address calculator, its four fields and the sought one.
#include "fuzz_input.h"
#include "text/integer_text.h"
#include "tools/address_calculator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  fuzz::FuzzInput input(data, size, 1);
  AddressState state;
  state.sought = static_cast<AddressField>(input.Choice(kAddressFieldCount));
  for (auto& field : state.fields) field = input.Field();
  const AddressResult first = Recompute(state);
  const AddressResult second = Recompute(state);
  fuzz::Check(first.fields == second.fields && first.marks == second.marks && first.invalid == second.invalid &&
                  first.distance == second.distance && first.inRange == second.inRange,
              "the same fields give the same result");
  // A field holding a control character counts as invalid (the sought
  // field's own text is not judged), and a computed value is a clean line.
  for (int field = 0; field < kAddressFieldCount; ++field) {
    const auto index = static_cast<std::size_t>(field);
    if (field != state.sought && HoldsControlCharacter(state.fields[index], false))
      fuzz::Check(first.invalid[index], "a control character makes a field invalid", state.fields[index]);
  }
  if (first.inRange) fuzz::CheckLine(first.fields[static_cast<std::size_t>(state.sought)], "computed field");
  // A computed value reads back with the rule of its field.
  if (first.inRange && !first.inputError) {
    const auto sought = static_cast<std::size_t>(state.sought);
    const std::string& written = first.fields[sought];
    const bool isAddress = state.sought == kStartAddress || state.sought == kEndAddress;
    // The end number alone may go past the running numbers one can type, up
    // to the bit number of the last address.
    const auto endNumber = ParseInt32(written);
    const bool readsBack = isAddress                    ? ParseAddressBits(written).has_value()
                           : state.sought == kEndNumber ? endNumber && *endNumber >= 0 && *endNumber <= 262136
                                                        : ParseRunningNumber(written).has_value();
    fuzz::Check(readsBack, "a computed value reads back", written);
  }
  return 0;
}
