// target-actual-db: the target/actual data block ("Soll- Ist- DB").
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "cli/field_options.h"
#include "cli/output.h"
#include "core/file_writer.h"
#include "datablocks/target_actual.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

struct TargetActualOptions {
  std::shared_ptr<GivenOptions> given = std::make_shared<GivenOptions>();
  std::string variantSymbolsFile;
  std::string addressSymbolsFile;
  OutputOptions output;
};

// The fields that have an option of their own (the two lists come from files).
FieldTable<TargetActualParams> OptionFields() {
  FieldTable<TargetActualParams> fields;
  for (const auto& f : TargetActualFields())
    if (*f.option != '\0') fields.push_back(f);
  return fields;
}

bool IsValidUtf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int follow = 0;
    unsigned minimum = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      follow = 1;
      minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      follow = 2;
      minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      follow = 3;
      minimum = 0x10000;
    } else {
      return false;
    }
    unsigned code = lead & (0x3F >> follow);
    for (int k = 1; k <= follow; ++k) {
      if (i + k >= bytes.size()) return false;
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(follow) + 1;
  }
  return true;
}

// An assignment list as pasted into the dialog: UTF-8 when the file is valid
// UTF-8, else Windows-1252 as it stands.
bool ReadList(const std::string& path, std::string& list) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return false;
  std::string text = bytes.str();
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);  // a byte-order mark
  list = IsValidUtf8(text) ? Utf8ToCp1252(text) : text;
  return true;
}

void Run(const TargetActualOptions& o) {
  TargetActualParams params = DefaultsOf(TargetActualFields());
  ApplyFieldOptions(OptionFields(), *o.given, params);
  for (const auto& [file, list] : {std::pair{&o.variantSymbolsFile, &params.variantSymbols},
                                   std::pair{&o.addressSymbolsFile, &params.addressSymbols}}) {
    if (file->empty()) continue;
    if (!ReadList(*file, *list)) {
      std::cerr << "Cannot read " << *file << '\n';
      SetExitStatus(kExitUsageError);
      return;
    }
  }
  SetExitStatus(EmitResult("target-actual-db", GenerateTargetActual(params), o.output));
}

}  // namespace

void RegisterTargetActualDb(CLI::App& app) {
  auto options = std::make_shared<TargetActualOptions>();
  CLI::App* cmd = app.add_subcommand(
      "target-actual-db",
      "Target/actual DB (\"Soll- Ist- DB\"): actual double words, teach mask, error bits, and target and active bits "
      "per variant for every input bit");
  AddFieldOptions(*cmd, OptionFields(), options->given);
  cmd->add_option("--variant-symbols", options->variantSymbolsFile,
                  "\"Symbolzuordnung Varianten / Schritte\": FILE of assignment lines \"v=Symbol\" (UTF-8 or "
                  "Windows-1252, CR LF or LF)")
      ->check(CLI::ExistingFile)
      ->type_name("FILE");
  cmd->add_option("--address-symbols", options->addressSymbolsFile,
                  "\"Symbolzuordnung Adressen\": FILE of assignment lines \"byte_bit=Symbol\" (UTF-8 or "
                  "Windows-1252, CR LF or LF)")
      ->check(CLI::ExistingFile)
      ->type_name("FILE");
  AddOutputOptions(*cmd, options->output);
  cmd->callback([options] { Run(*options); });
}

}  // namespace brendax::cli
