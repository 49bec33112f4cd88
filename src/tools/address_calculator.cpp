#include "tools/address_calculator.h"

#include "core/field_table.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

constexpr std::int32_t kMaxByte = 32767;
constexpr std::int32_t kMaxNumber = 32767;
// The last address a result may have: 32767.0.
constexpr std::int32_t kMaxAddressResult = kMaxByte * 8;

std::optional<std::int32_t> InRange(std::string_view text, std::int32_t low, std::int32_t high) {
  const auto value = ParseInt32(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

bool IsAddressField(int field) { return field == kStartAddress || field == kEndAddress; }

}  // namespace

std::optional<std::int32_t> ParseAddressBits(std::string_view text) {
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos || point == 0) return std::nullopt;
  const auto byte = InRange(text.substr(0, point), 0, kMaxByte);
  const auto bit = InRange(text.substr(point + 1, 2), 0, 7);
  if (!byte || !bit) return std::nullopt;
  return *byte * 8 + *bit;
}

std::optional<std::int32_t> ParseRunningNumber(std::string_view text) { return InRange(text, 0, kMaxNumber); }

std::string FormatAddressBits(std::int32_t bits) {
  std::string text = std::to_string(bits / 8);
  text += '.';
  text += std::to_string(bits % 8);
  return text;
}

void ClearAddressFields(AddressState& state) { state.fields = {"0.0", "0", "0.0", "0"}; }

void LoadAddressExample(AddressState& state) {
  state.fields = {"20.0", "1", "0.0", "23"};
  state.sought = kEndAddress;
}

AddressField NextSought(AddressField sought) {
  return sought == kEndNumber ? kStartAddress : static_cast<AddressField>(sought + 1);
}

AddressResult Recompute(const AddressState& state) {
  AddressResult result;
  result.fields = state.fields;
  // An invalid value counts as 0.
  std::array<std::int32_t, kAddressFieldCount> values{};
  for (int field = 0; field < kAddressFieldCount; ++field) {
    const std::string& text = state.fields[static_cast<std::size_t>(field)];
    // A control character makes a field invalid, whatever digits it holds.
    const auto value = HoldsControlCharacter(text, false) ? std::nullopt
                       : IsAddressField(field)            ? ParseAddressBits(text)
                                                          : ParseRunningNumber(text);
    values[static_cast<std::size_t>(field)] = value.value_or(0);
    // The sought field's own text is not judged.
    if (field != state.sought && !value) {
      result.invalid[static_cast<std::size_t>(field)] = true;
      result.inputError = true;
    }
  }
  const std::size_t sought = static_cast<std::size_t>(state.sought);
  result.marks[sought].assign(1, 'X');  // "X"
  if (result.inputError) {
    result.fields[sought] = "Error";
    return result;
  }

  const std::int32_t startAddress = values[kStartAddress];
  const std::int32_t startNumber = values[kStartNumber];
  const std::int32_t endAddress = values[kEndAddress];
  const std::int32_t endNumber = values[kEndNumber];
  std::int32_t distance = 0;
  std::int32_t value = 0;
  std::int32_t maximum = 0;
  switch (state.sought) {
    case kStartAddress:
      distance = endNumber - startNumber;
      value = endAddress - distance;
      maximum = kMaxAddressResult;
      break;
    case kStartNumber:
      distance = endAddress - startAddress;
      value = endNumber - distance;
      maximum = kMaxNumber;
      break;
    case kEndAddress:
      distance = endNumber - startNumber;
      value = startAddress + distance;
      maximum = kMaxAddressResult;
      break;
    case kEndNumber:
      distance = endAddress - startAddress;
      value = startNumber + distance;
      maximum = kMaxAddressResult;
      break;
  }
  if (value < 0 || value > maximum) return result;  // the sought field keeps its text
  result.inRange = true;
  result.distance = distance;
  result.fields[sought] = IsAddressField(state.sought) ? FormatAddressBits(value) : std::to_string(value);
  return result;
}

}  // namespace brendax
