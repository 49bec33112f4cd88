// The address calculator: relates bit addresses (byte.bit) to running
// numbers, eight numbers per byte. Of start address, start number, end
// address and end number one is sought and computed from the other three.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brendax {

// The four value fields, in window order (Edit1 to Edit4).
enum AddressField : int {
  kStartAddress = 0,  // Edit1, Anfang / Adresse
  kStartNumber = 1,   // Edit2, Anfang / Lfd. Nummer
  kEndAddress = 2,    // Edit3, Ende / Adresse
  kEndNumber = 3,     // Edit4, Ende / Lfd. Nummer
};
inline constexpr int kAddressFieldCount = 4;

// The window's state: the four field texts as they stand and the sought
// field. The state at the first showing is that after "Clear" with the end
// number sought.
struct AddressState {
  std::array<std::string, kAddressFieldCount> fields{"0.0", "0", "0.0", "0"};
  AddressField sought = kEndNumber;
};

// What a recompute shows.
struct AddressResult {
  // The four field texts afterwards: the sought one holds the result, keeps
  // its previous text when the result is out of range, or shows "Error".
  std::array<std::string, kAddressFieldCount> fields;
  std::int32_t distance = 0;  // Edit5; 0 when nothing was computed
  // The captions of the four small buttons: "X" on the sought field's.
  std::array<std::string, kAddressFieldCount> marks;
  // The other fields that do not hold a valid value (shown red).
  std::array<bool, kAddressFieldCount> invalid{};
  bool inputError = false;
  bool inRange = false;  // the result was written
};

AddressResult Recompute(const AddressState& state);

// "Clear": all four inputs zero, the sought field stays.
void ClearAddressFields(AddressState& state);
// "Beispiel": start 20.0 / 1, end 0.0 / 23, the end address sought.
void LoadAddressExample(AddressState& state);
// "Toggle X": the next field, the start address after the end number.
AddressField NextSought(AddressField sought);

// An address text byte.bit (byte 0..32767, bit 0..7) as the bit number
// byte * 8 + bit.
std::optional<std::int32_t> ParseAddressBits(std::string_view text);
// A running number 0..32767.
std::optional<std::int32_t> ParseRunningNumber(std::string_view text);
// A bit number written as byte.bit: 182 is "22.6".
std::string FormatAddressBits(std::int32_t bits);

}  // namespace brendax
