// The target/actual data block: the actual input double words, a teach mask,
// error bits, and per variant (process state or step) a target bit and an
// active bit for every input bit, each bit named by a short symbol. The
// source starts with comment lines that list every symbol assignment in the
// same syntax as the dialog's two lists, so that they can be pasted back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/field_table.h"
#include "core/generator_result.h"

namespace brendax {

// The dialog's fields exactly as they stand (Windows-1252). The two lists
// hold one assignment per line, lines separated by CR LF, LF or CR.
struct TargetActualParams {
  std::string startAddress;    // LabeledEdit6: first input byte, 0..1023
  std::string doubleWords;     // LabeledEdit2: input double words, 1..32
  std::string variants;        // LabeledEdit1: variants, 1..64
  std::string prefixActual;    // LabeledEdit3
  std::string prefixTeach;     // LabeledEdit9
  std::string prefixError;     // LabeledEdit8
  std::string prefixTarget;    // LabeledEdit4
  std::string prefixActive;    // LabeledEdit5
  std::string prefixVariant;   // LabeledEdit7
  std::string variantSymbols;  // Memo1: "v=Symbol" lines
  std::string addressSymbols;  // Memo2: "byte_bit=Symbol" lines
};

// The fields of the dialog, in the order of the checks and the dialog. The
// two lists are read from the files that their options name.
const FieldTable<TargetActualParams>& TargetActualFields();

// Symbols are cut to this many characters.
inline constexpr std::size_t kTargetActualSymbolLength = 8;

// The symbol that one assignment line gives to one tag, or nothing. The
// tag must open the line after any leading blanks and slashes and be
// followed by optional blanks and "="; the symbol is what follows the "="
// and its blanks, up to the first "/" or blank. The symbol is not cut.
std::optional<std::string> ParseAssignment(std::string_view line, std::string_view tag);

// Splits a list at CR LF, LF or CR.
std::vector<std::string_view> SplitListLines(std::string_view text);

// The checks (code 10 double words, 20 variants, 30 start address; the
// message box shows "Fehler: " and the code alone), then the source lines.
GeneratorResult GenerateTargetActual(const TargetActualParams& params);

// The read-only syntax note beside the two lists, one entry per line.
const std::vector<std::string>& TargetActualSyntaxNote();

}  // namespace brendax
