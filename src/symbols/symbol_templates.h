// The eight stored forms of the symbol generator. Each is a 288-byte record
// inside the settings record (template n at SettingsRecord::TemplateOffset(n)):
//
//   offset size field
//        0   21 name, short string of at most 20 characters
//       21    1 extended view: 1 extended, 0 simplified
//       22    2 padding (never touched)
//       24    4 number of symbols          (integers: 32-bit little-endian)
//       28    4 area item index (0 inputs, 1 outputs, 2 flags, -1 none)
//       32    4 start value C1
//       36    4 step C1
//       40    4 start value C2
//       44    4 step C2
//       48    4 start value C3
//       52    9 A1 text, at most 8 characters
//       61    9 A2 text, at most 8 characters
//       70 4x17 T1 of sequences 1..4, at most 16 characters each
//      138 4x17 T2 of sequences 1..4, at most 16 characters each
//      206   41 symbol pattern, at most 40 characters
//      247   41 comment pattern, at most 40 characters
//
// Numbers are stored as numbers, the start addresses as typed. A record that
// was never saved is all zero.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/generator_result.h"
#include "core/settings.h"
#include "symbols/symbol_generator.h"

namespace brendax {

struct SymbolTemplateLayout {
  static constexpr std::size_t kName = 0;
  static constexpr std::size_t kNameMax = 20;
  static constexpr std::size_t kExtendedView = 21;
  static constexpr std::size_t kCount = 24;
  static constexpr std::size_t kArea = 28;
  static constexpr std::size_t kC1Start = 32;
  static constexpr std::size_t kC1Step = 36;
  static constexpr std::size_t kC2Start = 40;
  static constexpr std::size_t kC2Step = 44;
  static constexpr std::size_t kC3Start = 48;
  static constexpr std::size_t kA1 = 52;
  static constexpr std::size_t kA2 = 61;
  static constexpr std::size_t kAddressMax = 8;
  static constexpr std::size_t kT1 = 70;
  static constexpr std::size_t kT2 = 138;
  static constexpr std::size_t kTextStride = 17;
  static constexpr std::size_t kTextMax = 16;
  static constexpr std::size_t kSymbol = 206;
  static constexpr std::size_t kComment = 247;
  static constexpr std::size_t kPatternMax = 40;
};

// One template as its fields.
struct SymbolTemplate {
  std::string name;
  bool extendedView = false;
  std::int32_t count = 0;
  std::int32_t area = 0;
  std::int32_t c1Start = 0;
  std::int32_t c1Step = 0;
  std::int32_t c2Start = 0;
  std::int32_t c2Step = 0;
  std::int32_t c3Start = 0;
  std::string startAddress;
  std::string startAddress2;
  std::array<std::string, 4> t1;
  std::array<std::string, 4> t2;
  std::string symbol;
  std::string comment;
  bool operator==(const SymbolTemplate&) const = default;
};

// Reads and writes template n (1..8). Writing touches only the fields: the
// padding and the bytes after each text stay as they are.
SymbolTemplate ReadSymbolTemplate(const SettingsRecord& record, int n);
void WriteSymbolTemplate(SettingsRecord& record, int n, const SymbolTemplate& stored);

// The stored name of template n.
std::string SymbolTemplateName(const SettingsRecord& record, int n);

// The form as a template: the name cut to 20 characters, the numbers read by
// the integer-text rule (a field that is no valid integer is stored as 0),
// every text cut to its field's maximum.
SymbolTemplate TemplateFromForm(const SymbolParams& form, const std::string& name);

// Why a template may not be saved: a control character in its name or in a
// text it stores ("Steuerzeichen im Feld \"<caption>\" !", code 80, naming
// the field); a template that may be saved gives error code 0. A template
// read from a damaged file may hold them all the same: the symbol
// generator's checks refuse it when it runs.
GeneratorResult CheckTemplateForSaving(const SymbolTemplate& stored);

// The form a template loads: numbers in decimal, texts as stored, the view
// from the extended-view flag.
SymbolParams FormFromTemplate(const SymbolTemplate& stored);

// The caption of load entry n: "Lade Vorlage n : " and the name.
std::string LoadEntryCaption(int n, const std::string& name);

}  // namespace brendax
