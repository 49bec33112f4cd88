// The pointer tool: encodes an S7 POINTER (6 bytes) or ANY (10 bytes)
// parameter byte by byte and lists the bytes as STL load instructions with
// hexadecimal constants and explanatory comments.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brendax {

// RadioGroup1 "Variante" items.
inline constexpr int kPointerVariantPointer = 0;       // "POINTER"
inline constexpr int kPointerVariantAnyDataType = 1;   // "ANY-Datentyp"
inline constexpr int kPointerVariantAnyParameter = 2;  // "ANY-Parametertyp"

// The window's state exactly as the controls hold it; the defaults are those
// of every showing (value fields) and of the first showing (variant and
// check boxes). The lists are selection-only, so their indexes are items.
struct PointerState {
  int variant = kPointerVariantAnyDataType;  // RadioGroup1
  int dataType = 2;                          // ComboBoxDatentyp: 02h BYTE
  std::string repeat = "2";                  // EditWiederholfaktor
  int parameterType = 2;                     // ComboBoxDatentypParametertyp: 19h BLOCK_DB
  std::string number = "1";                  // EditBausteinummer
  std::string dbNumber = "1";                // EditDBNummer
  int area = 4;                              // ComboBoxSpeicherbereich: 84h DB
  std::string address = "0.0";               // EditAdresse
  bool load = true;                          // CheckBoxLBefehl "L"
  bool transfer = false;                     // CheckBoxTBefehl "T"
  bool asByte = false;                       // CheckBoxByte "als Byte"
  bool asWord = true;                        // CheckBoxWord "als Word"
  bool asDWord = false;                      // CheckBoxDWord "als DWord"
  bool comment1 = true;                      // CheckBoxKommentar1 "Kommentar 1"
  bool comment2 = true;                      // CheckBoxKommentar2 "Kommentar 2"
};

// One item of a list: its text as the list shows it, the byte value it
// stands for, its short name (the command line's value) and the meaning
// text of its byte in the listing (texts in Windows-1252).
struct PointerListItem {
  const char* text;
  std::uint8_t code;
  const char* name;
  const char* meaning;
};

std::span<const PointerListItem> PointerAreaItems();           // ComboBoxSpeicherbereich
std::span<const PointerListItem> PointerDataTypeItems();       // ComboBoxDatentyp
std::span<const PointerListItem> PointerParameterTypeItems();  // ComboBoxDatentypParametertyp

// The bytes of the parameter, the listing (lines without line ends, the
// error block included) and the error lines alone, in the order found.
struct PointerListing {
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> lines;
  std::vector<std::string> errors;
};

PointerListing Compute(const PointerState& state);

// Byte address with an optional bit number after the first point ("50",
// "15.4"), as bit number byte * 8 + bit; nothing when it is not one.
std::optional<std::int32_t> ParsePointerBitAddress(std::string_view text);

}  // namespace brendax
