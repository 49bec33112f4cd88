// The output conventions that every generator subcommand shares.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "core/generator_result.h"
#include "core/mnemonics.h"

namespace brendax::cli {

// Exit statuses.
inline constexpr int kExitGenerated = 0;
inline constexpr int kExitValidationError = 1;
inline constexpr int kExitUsageError = 2;

struct OutputOptions {
  std::string mnemonics = "de";  // de | en
  std::string outFile;           // -o: the lines; empty = standard output
  std::string encoding = "windows-1252";
  std::string symbolsFile;       // --symbols: the symbol rows
  bool json = false;
};

// Adds --mnemonics, -o/--output, --encoding, --symbols and --json.
void AddOutputOptions(CLI::App& command, OutputOptions& options);

MnemonicSet SelectedMnemonics(const OutputOptions& options);

// Writes the result as the options ask and returns the exit status:
// text (Windows-1252 or UTF-8, CR LF after every line) to standard output or
// -o FILE, symbol rows to --symbols FILE, or one JSON object; a validation
// error goes to standard error as the message box shows it. Notices of a
// successful run go to standard error (or into the JSON object).
int EmitResult(const std::string& generator, const GeneratorResult& result, const OutputOptions& options);

// Converts an option value typed on the command line (UTF-8) to the
// Windows-1252 text that a dialog field would hold.
std::string FieldText(const std::string& utf8);

// The status that the subcommand's callback leaves for main() to return.
void SetExitStatus(int status);
int ExitStatus();

// Parses an "on"/"off" option value; anything else is a usage error.
bool OnOff(const std::string& value);
// CLI11 validator for on|off.
const CLI::Validator& OnOffValidator();

// The output options of the tools that use no mnemonics and write no symbol
// rows: -o/--output, --encoding and --json, as AddOutputOptions words them.
void AddListingOutputOptions(CLI::App& command, OutputOptions& options);

// Prints a subcommand's own JSON object the way --json prints the common
// one; returns the exit status.
int EmitJson(const nlohmann::ordered_json& document, const OutputOptions& options);

}  // namespace brendax::cli
