// What a generator run hands to the main window (or the command line).
#pragma once

#include <string>
#include <vector>

namespace brendax {

// One row of the symbol grid: symbol, address, data type, comment.
struct SymbolRow {
  std::string symbol;
  std::string address;
  std::string type;
  std::string comment;
  bool operator==(const SymbolRow&) const = default;
};

// How a generator words the message box of a failed run.
enum class ErrorBoxStyle {
  kErrorCodeMessage,   // "Error: " + code + " / " + message
  kFehlerCodeMessage,  // "Fehler: " + code + " / " + message
  kFehlerCode,         // "Fehler: " + code
  kMessageOnly,        // the message alone (a failure that has no code of its own)
};

struct GeneratorResult {
  int errorCode = 0;         // 0 = generated
  std::string errorMessage;  // the German message of the code
  ErrorBoxStyle boxStyle = ErrorBoxStyle::kErrorCodeMessage;
  // The command-line option of the field that the failing check reads
  // ("first-step"), so that a window can mark that field and a script can
  // name it; empty when no single field is to blame.
  std::string errorField;
  std::vector<SymbolRow> symbols;
  std::vector<std::string> lines;    // output lines, without line ends
  std::vector<std::string> notices;  // message boxes shown after a successful run

  bool ok() const { return errorCode == 0; }
  // Row count of the symbol grid, its title row included.
  int rowCount() const { return static_cast<int>(symbols.size()) + 1; }
};

// The message box of a failed run, worded as the generator's style says
// ("Error: 21 / ...", "Fehler: 4 / ...", "Fehler: 10").
std::string ErrorBoxText(const GeneratorResult& result);

// The lines as the clipboard carries them: CR LF after every line.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Symbol rows as the clipboard carries them: TAB between cells, CR LF per row.
std::string SymbolRowsText(const std::vector<SymbolRow>& rows);

}  // namespace brendax
