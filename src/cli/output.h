// The output conventions that every generator subcommand shares.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_writer.h"
#include "core/generator_result.h"
#include "core/mnemonics.h"
#include "project/run_record.h"

namespace brendax::cli {

// Exit statuses.
inline constexpr int kExitGenerated = 0;
inline constexpr int kExitValidationError = 1;
inline constexpr int kExitUsageError = 2;
inline constexpr int kExitWriteFailure = 3;  // an output file or standard output could not be written

struct OutputOptions {
  std::string mnemonics = "de";  // de | en
  std::string outFile;           // -o: the lines; empty = standard output
  std::string encoding = "windows-1252";
  std::string symbolsFile;  // --symbols: the symbol rows
  bool json = false;
  std::string symbolsFormat = "tsv";  // --symbols-format: tsv | asc | sdf | seq
  // The symbol rows are the text (-o or standard output); after a refused
  // run the rows it kept still go there.
  bool rowsAreText = false;
};

// Adds --mnemonics, -o/--output, --encoding, --symbols and --json.
void AddOutputOptions(CLI::App& command, OutputOptions& options);

MnemonicSet SelectedMnemonics(const OutputOptions& options);

// Writes the result as the options ask and returns the exit status:
// text (Windows-1252 or UTF-8, CR LF after every line) or, with --json, one
// JSON object, to standard output or in its place to -o FILE; the symbol rows
// of a generated run to --symbols FILE. Without --json a validation error
// goes to standard error as the message box shows it. Notices of a
// successful run go to standard error (or into the JSON object). Files go
// through the shared writer (core/file_writer.h), all or none; a failed
// write, to a file or to standard output, gives kExitWriteFailure with the
// reason on standard error. -o and --symbols naming one file is a usage error.
int EmitResult(const std::string& generator, const GeneratorResult& result, const OutputOptions& options);

// A generator subcommand's last step: generates the record with the
// options' mnemonics and writes the result (EmitResult); returns the exit
// status. While a record sink is set, it hands the sink the record instead
// of generating anything and returns 0 (a batch job collects its runs this
// way). An empty function restores the normal output.
int EmitRecord(const RunRecord& record, const OutputOptions& options);
using RecordSink = std::function<void(const RunRecord& record)>;
void SetRecordSink(RecordSink sink);

// Writes bytes to standard output and flushes it; on failure says why on
// standard error and returns false.
bool WriteStandardOutput(std::string_view bytes);
bool WriteStandardOutput(const ByteSource& source);

// The lines with CR LF after each, converted to UTF-8 when the encoding
// says so, handed over line by line (the lines must outlive the source).
ByteSource LinesSource(const std::vector<std::string>& lines, const std::string& encoding);
// "Cannot write standard output: <reason of the errno value>".
void ReportStandardOutputFailure(int error);

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

// CLI11 check of an option that names a file to read: a regular file that
// can be opened (core/input_file.h); otherwise a usage error saying
// CannotReadMessage (core/input_file.h).
const CLI::Validator& ReadableFileValidator();

// The output options of the tools that use no mnemonics and write no symbol
// rows: -o/--output, --encoding and --json, as AddOutputOptions words them.
void AddListingOutputOptions(CLI::App& command, OutputOptions& options);

// Prints a subcommand's own JSON object the way --json prints the common
// one; returns the exit status.
int EmitJson(const nlohmann::ordered_json& document, const OutputOptions& options);

}  // namespace brendax::cli
