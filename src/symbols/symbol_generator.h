// The symbol generator: a series of symbol-table rows for consecutive bit
// addresses, each row's symbol and comment expanded from a pattern with
// address, counter and text placeholders.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/field_table.h"
#include "core/generator_result.h"
#include "core/mnemonics.h"

namespace brendax {

// The dialog's form exactly as it stands (texts as typed, Windows-1252).
struct SymbolParams {
  std::string count;                           // LabeledEdit5 "Anzahl Symbole"
  int area = 2;                                // ComboBox1 "Adressbereich": 0 inputs, 1 outputs, 2 flags, -1 text typed
  std::string startAddress;                    // LabeledEdit1 "Startadresse <A1>"
  std::string startAddress2;                   // LabeledEdit2 "Startadresse2 <A2>"
  std::string c1Start;                         // LabeledEdit3 "Startwert Counter1 <C1>"
  std::string c1Step;                          // LabeledEdit9 "Schrittweite C1"
  std::string c2Start;                         // LabeledEdit4 "Startwert Counter2 <C2>"
  std::string c2Step;                          // LabeledEdit10 "Schrittweite C2"
  std::string c3Start;                         // LabeledEdit8 "Startw. Count.3 (Sequ.) <C3>"
  std::string t1Seq1, t1Seq2, t1Seq3, t1Seq4;  // LabeledEdit12..15 "Var Text <T1> (Sequ. i)"
  std::string t2Seq1, t2Seq2, t2Seq3, t2Seq4;  // LabeledEdit16..19 "Var Text <T2> (Sequ. i)"
  std::string symbol;                          // LabeledEdit6 "Symbol"
  std::string comment;                         // LabeledEdit7 "Kommentar"
  bool simplifiedView = true;                  // the view, not a field: hidden fields still count

  std::array<std::string, 4> T1() const { return {t1Seq1, t1Seq2, t1Seq3, t1Seq4}; }
  std::array<std::string, 4> T2() const { return {t2Seq1, t2Seq2, t2Seq3, t2Seq4}; }
  bool operator==(const SymbolParams&) const = default;
};

// Item indexes of "Adressbereich".
inline constexpr int kAreaInputs = 0;
inline constexpr int kAreaOutputs = 1;
inline constexpr int kAreaFlags = 2;

// The most symbols one run writes.
inline constexpr int kMaxSymbolCount = 1000;
// Longest symbol and comment a row may hold.
inline constexpr std::size_t kMaxSymbolLength = 24;
inline constexpr std::size_t kMaxCommentLength = 80;

// The fields of the form, in the dialog's order; the defaults are those of
// the program-number example that a fresh dialog shows.
const FieldTable<SymbolParams>& SymbolFieldTable();

// The items of "Adressbereich" (Windows-1252).
const std::array<std::string, 3>& SymbolAreaItems();

// The three built-in examples of the menu "Vorlagen".
SymbolParams SymbolExampleInterface();
SymbolParams SymbolExampleCylinder();
SymbolParams SymbolExampleProgramNumber();

// The number of leading sequences with at least one non-empty text (0..4);
// a filled sequence after an empty one does not count.
int SequenceCount(const std::array<std::string, 4>& t1, const std::array<std::string, 4>& t2);

// What the placeholders of one row stand for.
struct SymbolRunState {
  std::int32_t a1Byte = 0;
  std::int32_t a1Bit = 0;
  std::int32_t a2Byte = 0;
  std::int32_t a2Bit = 0;
  std::int32_t c1 = 0;
  std::int32_t c1Step = 0;
  std::int32_t c2 = 0;
  std::int32_t c2Step = 0;
  std::int32_t c3 = 0;
  int sequenceIndex = 1;  // 1..4
  int sequenceCount = 0;  // 0..4
  std::array<std::string, 4> t1;
  std::array<std::string, 4> t2;

  // Moves on to the next row: bit addresses, counters and the sequence.
  void Advance();
};

// Appends the pattern to `out` with "<A1>", "<A2>", "<C1>", "<C2>", "<C3>",
// "<T1>" and "<T2>" replaced by the row's values; anything else, and the
// inserted values themselves, are copied as they are.
void ExpandPlaceholders(std::string_view pattern, const SymbolRunState& state, std::string& out);
std::string ExpandPlaceholders(std::string_view pattern, const SymbolRunState& state);

// The run: the checks in their fixed order, then one row per symbol. A run
// that fails after the count was read keeps its n rows (rowCount() = n + 1):
// empty for a refused field, for a too long symbol or comment the rows
// before the failing one filled and the failing row as far as it got.
GeneratorResult GenerateSymbols(const SymbolParams& params, const MnemonicSet& mnemonics);

// The text of the menu "Hilfe": lines separated by CR alone.
const std::string& SymbolHelpText();

}  // namespace brendax
