// Symbol rows as files the engineering tool imports: the clipboard's TAB
// form, and the fixed-width (ASC), quoted (SDF) and sequence (SEQ) tables.
// Every format is Windows-1252 with CR LF after every line; rows whose four
// cells are empty (the blank rows after a symbol-generator error) are left
// out.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/generator_result.h"

namespace brendax {

enum class SymbolFileFormat { kTsv, kAsc, kSdf, kSeq };

// "tsv", "asc", "sdf", "seq"; anything else gives nothing.
std::optional<SymbolFileFormat> ParseSymbolFileFormat(std::string_view name);
// The format a file name's extension implies: .asc, .sdf, .seq, otherwise TAB form.
SymbolFileFormat SymbolFileFormatForName(std::string_view fileName);

// An address cell taken apart: "E  50.0" gives area "E", number "50", bit
// "0"; "FC 80" gives "FC", "80" and no bit. Cells of another shape give
// nothing.
struct SymbolAddress {
  std::string area;
  std::string number;
  std::string bit;  // empty for byte, word and block addresses
};
std::optional<SymbolAddress> ParseSymbolAddress(std::string_view cell);

// The address as the fixed-width table writes it: 12 characters, the area
// left-aligned in 4, the number right-aligned in 5, "." and the bit or two
// blanks, one blank ("E      10.3 ", "FC     80   "). A cell of another
// shape is cut or padded to 12 as it stands.
std::string AscAddress(std::string_view cell);

// The whole file.
std::string FormatSymbolFile(const std::vector<SymbolRow>& rows, SymbolFileFormat format);

// What the symbol table would refuse on import: empty symbols, symbols
// longer than 24 characters, two rows with the same symbol or the same
// address. One message listing them all (lines separated by CR, grid row
// numbers from 1), or empty when the rows are fine.
std::string SymbolFileWarning(const std::vector<SymbolRow>& rows);

}  // namespace brendax
