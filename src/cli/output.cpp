#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <system_error>
#include <utility>

#include "core/file_writer.h"
#include "core/input_file.h"
#include "core/symbol_table_file.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

std::string Encode(const std::string& cp1252, const OutputOptions& options) {
  return options.encoding == "utf-8" ? Cp1252ToUtf8(cp1252) : cp1252;
}

int g_exitStatus = kExitGenerated;
RecordSink g_recordSink;

// The JSON object of a run; texts in UTF-8.
std::string JsonText(const std::string& generator, const GeneratorResult& result) {
  nlohmann::ordered_json doc;
  doc["generator"] = generator;
  if (result.ok()) {
    doc["error"] = nullptr;
  } else {
    doc["error"] = {
        {"code", result.errorCode},
        {"message", Cp1252ToUtf8(result.errorMessage)},
        {"box", Cp1252ToUtf8(ErrorBoxText(result))},
        {"field", result.errorField.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(result.errorField)}};
  }
  doc["rowCount"] = result.rowCount();
  auto symbols = nlohmann::ordered_json::array();
  for (const auto& row : result.symbols) {
    symbols.push_back(
        {Cp1252ToUtf8(row.symbol), Cp1252ToUtf8(row.address), Cp1252ToUtf8(row.type), Cp1252ToUtf8(row.comment)});
  }
  doc["symbols"] = std::move(symbols);
  auto lines = nlohmann::ordered_json::array();
  for (const auto& line : result.lines) lines.push_back(Cp1252ToUtf8(line));
  doc["lines"] = std::move(lines);
  auto notices = nlohmann::ordered_json::array();
  for (const auto& notice : result.notices) notices.push_back(Cp1252ToUtf8(notice));
  doc["notices"] = std::move(notices);
  return doc.dump(2) + "\n";
}

}  // namespace

bool WriteStandardOutput(std::string_view bytes) {
  return WriteStandardOutput([bytes](const ByteSink& sink) { return sink(bytes); });
}

bool WriteStandardOutput(const ByteSource& source) {
  errno = 0;
  std::cout.flush();
  const bool written =
      source([](std::string_view piece) { return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size(); });
  const bool flushed = std::fflush(stdout) == 0;
  if (written && flushed && !std::ferror(stdout)) return true;
  ReportStandardOutputFailure(errno);
  return false;
}

ByteSource LinesSource(const std::vector<std::string>& lines, const std::string& encoding) {
  return [&lines, utf8 = encoding == "utf-8"](const ByteSink& sink) {
    std::string converted;
    for (const std::string& line : lines) {
      if (utf8) converted = Cp1252ToUtf8(line);
      if (!sink(utf8 ? converted : line) || !sink("\r\n")) return false;
    }
    return true;
  };
}

void ReportStandardOutputFailure(int error) {
  std::string reason = error != 0 ? std::generic_category().message(error) : std::string("write error");
  std::cerr << "Cannot write standard output: " << reason << std::endl;
}

namespace {

// An output option must name a file: "-o ''" would otherwise quietly mean
// standard output, and "--symbols=" no symbol file.
const CLI::Validator& OutputFileValidator() {
  static const CLI::Validator validator(
      [](std::string& path) { return path.empty() ? std::string("the file name is empty") : std::string(); }, "FILE");
  return validator;
}

}  // namespace

void AddOutputOptions(CLI::App& command, OutputOptions& options) {
  command.add_option("--mnemonics", options.mnemonics, "Mnemonic convention of the generated code")
      ->check(CLI::IsMember({"de", "en"}))
      ->capture_default_str();
  command
      .add_option("-o,--output", options.outFile,
                  "Write to FILE what would go to standard output (the lines, or the JSON object with --json)")
      ->check(OutputFileValidator());
  command.add_option("--encoding", options.encoding, "Encoding of the text output")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->capture_default_str();
  command
      .add_option("--symbols", options.symbolsFile,
                  "Write the symbol rows to FILE (as --symbols-format says), also with --json; "
                  "not written when the input is refused")
      ->check(OutputFileValidator());
  command
      .add_option("--symbols-format", options.symbolsFormat,
                  "Format of the symbol rows: tsv (cells separated by TAB, CR LF per row), asc (fixed width), "
                  "sdf (quoted fields) or seq (sequence table)")
      ->check(CLI::IsMember({"tsv", "asc", "sdf", "seq"}))
      ->capture_default_str();
  command.add_flag("--json", options.json, "Print one JSON object with the whole result");
}

MnemonicSet SelectedMnemonics(const OutputOptions& options) { return MnemonicsFor(options.mnemonics == "en"); }

std::string FieldText(const std::string& utf8) { return Utf8ToCp1252(utf8); }

void SetExitStatus(int status) { g_exitStatus = status; }
int ExitStatus() { return g_exitStatus; }

bool OnOff(const std::string& value) { return value == "on"; }

const CLI::Validator& OnOffValidator() {
  static const CLI::Validator validator = CLI::IsMember({"on", "off"});
  return validator;
}

const CLI::Validator& ReadableFileValidator() {
  static const CLI::Validator validator(
      [](std::string& path) {
        const std::string problem = InputFileProblem(path);
        return problem.empty() ? std::string() : CannotReadMessage(path, problem);
      },
      "FILE");
  return validator;
}

void SetRecordSink(RecordSink sink) { g_recordSink = std::move(sink); }

int EmitRecord(const RunRecord& record, const OutputOptions& options) {
  if (g_recordSink) {
    g_recordSink(record);
    return kExitGenerated;
  }
  return EmitResult(GeneratorName(record), GenerateRecord(record, SelectedMnemonics(options)), options);
}

int EmitResult(const std::string& generator, const GeneratorResult& result, const OutputOptions& options) {
  if (!options.outFile.empty() && !options.symbolsFile.empty() && SameFile(options.outFile, options.symbolsFile)) {
    std::cerr << "-o and --symbols name the same file: " << options.outFile << '\n';
    return kExitUsageError;
  }
  const SymbolFileFormat rowFormat = ParseSymbolFileFormat(options.symbolsFormat).value_or(SymbolFileFormat::kTsv);
  // The rows as text: the clipboard's form (blank rows kept) unless a file
  // format was asked for.
  auto rowsText = [&] {
    return rowFormat == SymbolFileFormat::kTsv ? SymbolRowsText(result.symbols)
                                               : FormatSymbolFile(result.symbols, rowFormat);
  };
  // What goes to standard output, or to -o FILE in its place. Generated
  // lines are written as they are, line by line, never joined first: a
  // large block needs no second copy.
  std::string mainText;
  if (options.json) {
    mainText = JsonText(generator, result);
  } else if (options.rowsAreText) {
    mainText = Encode(rowsText(), options);
  }
  const ByteSource mainOutput = options.json || options.rowsAreText
                                    ? ByteSource([&mainText](const ByteSink& sink) { return sink(mainText); })
                                    : LinesSource(result.lines, options.encoding);
  const bool writesMain = options.json || options.rowsAreText || result.ok();
  const bool rowsToFile = (options.rowsAreText && !options.outFile.empty() && !options.json) ||
                          (result.ok() && !options.symbolsFile.empty());
  if (rowsToFile) {
    const std::string warning = SymbolFileWarning(result.symbols);
    if (!warning.empty()) {
      std::string shown = Cp1252ToUtf8(warning);
      for (auto& ch : shown)
        if (ch == '\r') ch = '\n';
      std::cerr << shown << '\n';
    }
  }

  // Every file is put in place only when all of them could be written.
  PendingWrites files;
  if (writesMain && !options.outFile.empty()) files.Stage(options.outFile, mainOutput);
  if (result.ok() && !options.symbolsFile.empty()) {
    files.Stage(options.symbolsFile, Encode(FormatSymbolFile(result.symbols, rowFormat), options));
  }
  if (const WriteResult written = files.Commit(); !written.ok) {
    std::cerr << written.error << '\n';
    return kExitWriteFailure;
  }
  if (writesMain && options.outFile.empty() && !WriteStandardOutput(mainOutput)) return kExitWriteFailure;

  if (!result.ok()) {
    if (!options.json) std::cerr << Cp1252ToUtf8(ErrorBoxText(result)) << '\n';
    return kExitValidationError;
  }
  if (!options.json) {
    for (const auto& notice : result.notices) {
      std::string shown = Cp1252ToUtf8(notice);
      for (auto& ch : shown)
        if (ch == '\r') ch = '\n';
      std::cerr << shown << '\n';
    }
  }
  return kExitGenerated;
}

}  // namespace brendax::cli

namespace brendax::cli {

std::string FieldOptionHelp(const char* label, const std::string& help, const std::string& defaultShown) {
  std::string text = std::string("\"") + label + "\"";
  if (!help.empty()) text += ": " + help;
  text += " (default: " + (defaultShown.empty() ? std::string("empty") : defaultShown) + ")";
  return text;
}

void AddListingOutputOptions(CLI::App& command, OutputOptions& options) {
  command.add_option("-o,--output", options.outFile, "Write the lines to FILE instead of standard output")
      ->check(OutputFileValidator());
  command.add_option("--encoding", options.encoding, "Encoding of the text output")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->capture_default_str();
  command.add_flag("--json", options.json, "Print one JSON object with the whole result");
}

int EmitJson(const nlohmann::ordered_json& document, const OutputOptions& options) {
  const std::string text = document.dump(2) + "\n";
  if (options.outFile.empty()) return WriteStandardOutput(text) ? kExitGenerated : kExitWriteFailure;
  if (const WriteResult written = WriteFileAtomically(options.outFile, text); !written.ok) {
    std::cerr << written.error << '\n';
    return kExitWriteFailure;
  }
  return kExitGenerated;
}

}  // namespace brendax::cli
