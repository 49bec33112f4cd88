#include "cli/output.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>

#include "text/cp1252.h"

namespace brendax::cli {
namespace {

// Writes bytes to a file, all or nothing: into a temporary file first, then
// renamed, so that a failed run never leaves a half-written file.
bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

std::string Encode(const std::string& cp1252, const OutputOptions& options) {
  return options.encoding == "utf-8" ? Cp1252ToUtf8(cp1252) : cp1252;
}

int g_exitStatus = kExitGenerated;

}  // namespace

void AddOutputOptions(CLI::App& command, OutputOptions& options) {
  command.add_option("--mnemonics", options.mnemonics, "Mnemonic convention of the generated code")
      ->check(CLI::IsMember({"de", "en"}))
      ->capture_default_str();
  command.add_option("-o,--output", options.outFile, "Write the lines to FILE instead of standard output");
  command.add_option("--encoding", options.encoding, "Encoding of the text output")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->capture_default_str();
  command.add_option("--symbols", options.symbolsFile,
                     "Write the symbol rows to FILE (cells separated by TAB, CR LF per row)");
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

int EmitResult(const std::string& generator, const GeneratorResult& result, const OutputOptions& options) {
  if (options.json) {
    nlohmann::ordered_json doc;
    doc["generator"] = generator;
    if (result.ok()) {
      doc["error"] = nullptr;
    } else {
      doc["error"] = {{"code", result.errorCode}, {"message", Cp1252ToUtf8(result.errorMessage)}};
    }
    doc["rowCount"] = result.rowCount();
    auto symbols = nlohmann::ordered_json::array();
    for (const auto& row : result.symbols) {
      symbols.push_back({Cp1252ToUtf8(row.symbol), Cp1252ToUtf8(row.address), Cp1252ToUtf8(row.type),
                         Cp1252ToUtf8(row.comment)});
    }
    doc["symbols"] = std::move(symbols);
    auto lines = nlohmann::ordered_json::array();
    for (const auto& line : result.lines) lines.push_back(Cp1252ToUtf8(line));
    doc["lines"] = std::move(lines);
    auto notices = nlohmann::ordered_json::array();
    for (const auto& notice : result.notices) notices.push_back(Cp1252ToUtf8(notice));
    doc["notices"] = std::move(notices);
    std::cout << doc.dump(2) << '\n';
    return result.ok() ? kExitGenerated : kExitValidationError;
  }

  if (!result.ok()) {
    std::cerr << Cp1252ToUtf8(ErrorBoxText(result)) << '\n';
    return kExitValidationError;
  }

  const std::string text = Encode(JoinLinesCrLf(result.lines), options);
  if (options.outFile.empty()) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
  } else if (!WriteFileAtomically(options.outFile, text)) {
    std::cerr << "Cannot write " << options.outFile << '\n';
    return kExitUsageError;
  }
  if (!options.symbolsFile.empty() &&
      !WriteFileAtomically(options.symbolsFile, Encode(SymbolRowsText(result.symbols), options))) {
    std::cerr << "Cannot write " << options.symbolsFile << '\n';
    return kExitUsageError;
  }
  for (const auto& notice : result.notices) {
    std::string shown = Cp1252ToUtf8(notice);
    for (auto& ch : shown)
      if (ch == '\r') ch = '\n';
    std::cerr << shown << '\n';
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
  command.add_option("-o,--output", options.outFile, "Write the lines to FILE instead of standard output");
  command.add_option("--encoding", options.encoding, "Encoding of the text output")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}))
      ->capture_default_str();
  command.add_flag("--json", options.json, "Print one JSON object with the whole result");
}

int EmitJson(const nlohmann::ordered_json& document, const OutputOptions& /*options*/) {
  std::cout << document.dump(2) << '\n';
  return kExitGenerated;
}

}  // namespace brendax::cli
