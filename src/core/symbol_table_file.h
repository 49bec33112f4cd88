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

// A symbol table read back from a file: the rows, the line (from 1) each
// came from, and the format the content shows: a first row starting "126,"
// is the ASC table, one starting with a double quote the SDF table, one
// starting with a TAB the SEQ table (which has no type column), anything
// else the TAB form. Lines end with CR LF or LF; blank lines are skipped;
// cells lose their trailing blanks. A line that is no row of that format,
// or a row without symbol or address, is a failure naming its line.
struct ParsedSymbolFile {
  SymbolFileFormat format = SymbolFileFormat::kTsv;
  std::vector<SymbolRow> rows;
  std::vector<std::size_t> lines;
  std::string error;  // "line 7: not a row of the SDF table"; empty when read
  bool ok() const { return error.empty(); }
};
ParsedSymbolFile ParseSymbolFile(std::string_view text);

// The address as one key for comparing rows: "E 0.1" for "E   0.1" and
// "e 00.1", "DB 100" for "DB 0100"; a cell of another shape in capitals.
std::string SymbolAddressKey(std::string_view cell);

// New rows against the rows of a project's symbol table: the first new row
// (in order) that names the symbol of a table row with another address, or
// the address of a table row with another symbol, and that table row. A
// new row with the symbol and the address of a table row is no collision.
struct SymbolCollision {
  std::size_t row = 0;       // index into the new rows
  std::size_t tableRow = 0;  // index into the table's rows
};
std::optional<SymbolCollision> FindSymbolCollision(const std::vector<SymbolRow>& table,
                                                   const std::vector<SymbolRow>& rows);

// The table's rows, then every new row that the table does not already hold
// (the same symbol at the same address).
std::vector<SymbolRow> MergeSymbolRows(const std::vector<SymbolRow>& table, const std::vector<SymbolRow>& rows);

// What the symbol table would refuse on import: empty symbols, symbols
// longer than 24 characters, two rows with the same symbol or the same
// address. One message listing them all (lines separated by CR, grid row
// numbers from 1), or empty when the rows are fine.
std::string SymbolFileWarning(const std::vector<SymbolRow>& rows);

}  // namespace brendax
